// Message texts of the system's errors, byte for byte as the user has always seen them.
#include "common/TalpoError.h"

#include <cerrno>
#include <cstring>

#include "common/Cp932.h"

namespace talpo {

ETalpoError FileNotFoundError() {
    return {ErrorKind::FileNotFound, "ﾌｧｲﾙが見つかりません"};
}

ETalpoError AccessDeniedError() {
    return {ErrorKind::AccessDenied, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"};
}

ETalpoError ReadPastEndError() {
    return {ErrorKind::ReadPastEnd, "ﾌｧｲﾙの末尾以降を読み込みました"};
}

ETalpoError IoError(int code) {
    // The number alone tells the user nothing; the system's own words say what went wrong.
    return {ErrorKind::Io, "I/O ｴﾗｰ (" + std::to_string(code) + "): " + std::strerror(code)};
}

ETalpoError NotAFileError() {
    return {ErrorKind::NotAFile, "ﾌｧｲﾙではありません"};
}

ETalpoError TooLargeError(unsigned long long limitMiB) {
    return {ErrorKind::TooLarge, "ﾌｧｲﾙが大きすぎます (" + std::to_string(limitMiB) + " MiB を超えています)"};
}

ETalpoError ErrnoError(int err) {
    switch (err) {
        case ENOENT:
        case ENOTDIR:
            return FileNotFoundError();
        case EACCES:
        case EPERM:
            return AccessDeniedError();
        default:
            return IoError(err);
    }
}

ETalpoError ListIndexError(long long index) {
    return {ErrorKind::ListIndex, "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています (" + std::to_string(index) + ")"};
}

ETalpoError NotIntegerError(std::string_view cp932Text) {
    return {ErrorKind::NotInteger, "'" + Cp932ToUtf8(cp932Text) + "' は整数ではありません"};
}

ETalpoError NotFloatError(std::string_view cp932Text) {
    return {ErrorKind::NotFloat, "'" + Cp932ToUtf8(cp932Text) + "' は浮動小数点数ではありません"};
}

ETalpoError FileCreateError(const std::string& fsPath) {
    return {ErrorKind::FileCreate, "ﾌｧｲﾙ " + fsPath + " を作成できません"};
}

ETalpoError IniWriteError(const std::string& fsPath) {
    return {ErrorKind::IniWrite, fsPath + " に書き込めません"};
}

ETalpoError CellRangeError() {
    return {ErrorKind::CellRange, "ｾﾙ位置がｸﾞﾘｯﾄﾞの範囲を超えました。"};
}

ETalpoError CancelledError() {
    return {ErrorKind::Cancelled, "中止しました"};
}

}  // namespace talpo
