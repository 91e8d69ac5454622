#include "common/undo_file.h"

#include "common/whole_file.h"
#include "platform/format_text.h"

UndoFileState ReadUndoFile(const std::string &path, std::string *text, RegText *parsed, char *why,
                           std::size_t whySize) {
    if (const DWORD error = ReadWholeFile(path, text)) {
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return UndoFileState::Missing;
        vp::FormatText(why, whySize, "cannot be read (error %lu)",
                       static_cast<unsigned long>(error));
        return UndoFileState::Unreadable;
    }
    vp::Regedit4Error parseError;
    if (!ParseRegText(*text, parsed, &parseError)) {
        vp::FormatText(why, whySize, "cannot be read: line %u, %s",
                       static_cast<unsigned>(parseError.line), parseError.what.c_str());
        return UndoFileState::Malformed;
    }
    return UndoFileState::Read;
}
