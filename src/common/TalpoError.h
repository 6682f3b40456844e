// The one error type of TALPO. Its text is the message the user sees (UTF-8); its kind lets callers and
// tests tell the failures apart without parsing the text.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace talpo {

enum class ErrorKind {
    FileNotFound,  // "ﾌｧｲﾙが見つかりません"
    AccessDenied,  // "ﾌｧｲﾙへのｱｸｾｽが拒否されました"
    ReadPastEnd,   // "ﾌｧｲﾙの末尾以降を読み込みました"
    Io,            // "I/O ｴﾗｰ (%d): " + strerror's text
    NotAFile,      // "ﾌｧｲﾙではありません"
    TooLarge,      // "ﾌｧｲﾙが大きすぎます (%d MiB を超えています)"
    ListIndex,     // "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (%d)"
    NotInteger,    // "'%s' は整数ではありません"
    NotFloat,      // "'%s' は浮動小数点数ではありません"
    FileCreate,    // "ﾌｧｲﾙ %s を作成できません"
    IniWrite,      // "%s に書き込めません"
    CellRange,     // "ｾﾙ位置がｸﾞﾘｯﾄﾞの範囲を超えました。"
    Encoding,      // text that code page 932 cannot hold
    Archive,       // extraction failures
    Results,       // a results file the back-test refuses: "FILE:LINE: message"
    YenRange,      // a sum of yen past the 64-bit range
    RepeatedRace,  // one race in two inputs of a back-test
    FileClash,     // a save over a file the window reads
    Strategies,    // a strategies file the back-test refuses: "FILE:LINE: message"
    NoDay,         // a path added as a day that holds none
    Cancelled,     // the user gave up waiting: nothing to report
};

class ETalpoError : public std::runtime_error {
public:
    ETalpoError(ErrorKind kind, const std::string& utf8Message)
        : std::runtime_error(utf8Message), kind_(kind) {}
    ErrorKind Kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

// Factories for the system's messages. Texts taken from data files (CP932 bytes) are converted for the
// message; paths are in the file system's encoding already.
ETalpoError FileNotFoundError();
ETalpoError AccessDeniedError();
ETalpoError ReadPastEndError();
// "I/O ｴﾗｰ (40): Too many levels of symbolic links": the number and the system's text for it.
ETalpoError IoError(int code);
// A FIFO, a device or a folder where a file is read.
ETalpoError NotAFileError();
// A file read whole that holds more than the limit allows.
ETalpoError TooLargeError(unsigned long long limitMiB);
// Maps an errno value from opening or reading a file to the message the user knows.
ETalpoError ErrnoError(int err);
ETalpoError ListIndexError(long long index);
ETalpoError NotIntegerError(std::string_view cp932Text);
ETalpoError NotFloatError(std::string_view cp932Text);
ETalpoError FileCreateError(const std::string& fsPath);
ETalpoError IniWriteError(const std::string& fsPath);
ETalpoError CellRangeError();
// The user stopped an operation before it changed anything; no box is shown for it.
ETalpoError CancelledError();

}  // namespace talpo
