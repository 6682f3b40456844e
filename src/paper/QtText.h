// Texts as the windows hand them to Qt: the program's own, written in UTF-8 in its sources, and the data's,
// which are CP932 and go through the one conversion module.
#pragma once

#include <QString>
#include <string>

#include "common/Cp932.h"

namespace talpo {

inline QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

inline QString FromCp932(const std::string& cp932) {
    return QString::fromStdString(Cp932ToUtf8(cp932));
}

}  // namespace talpo
