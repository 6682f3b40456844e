// The records of a results file: its encoding told, its lines counted and its rows split by libcsv, handed on
// as UTF-8 fields with the line each row starts on. What the fields mean is ResultsFile's.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace talpo {

// A row as the file holds it: the fields in UTF-8 with their blanks, and the line (from 1) of its first
// field.
struct CsvRecord {
    int Line = 0;
    std::span<const std::string> Fields;
};

// Hands the rows of one file's bytes to onRow in order; rows of nothing but line ends and blanks are left
// out. CR, LF and CR LF each end a line. A file is UTF-8 when it starts with a byte-order mark or its first
// line that is not plain ASCII is UTF-8, else Shift-JIS (CP932). Raises the results error naming the line for
// a UTF-16 file, a line of a UTF-8 file that is no UTF-8, a double quote out of place, a quoted field not
// closed; and lets through what onRow raises.
void ReadCsvRecords(std::string_view bytes, const std::string& name,
                    const std::function<void(const CsvRecord&)>& onRow);

// Raises the results error "name:LINE: message". Control bytes that the data brought into the message are
// shown as '?': a zero byte would cut the text short, others would act on a terminal.
[[noreturn]] void RefuseLine(const std::string& name, int line, std::string_view message);

}  // namespace talpo
