#include "platform/sim/network/share_request.h"

#include "platform/api.h"
#include "platform/svrapi.h"

#include <cstring>

namespace sim {

namespace {

// The text of a fixed field up to its NUL; false when the field holds none.
bool FieldText(const char *field, size_t capacity, std::string *out) {
    size_t length = strnlen(field, capacity);
    out->assign(field, length);
    return length < capacity;
}

// The text a pointer of the record points to, read no further than limit + 1
// bytes; false when it is longer than limit.
bool PointedText(const char *text, size_t limit, std::string *out) {
    if (!text)
        return true;
    size_t length = strnlen(text, limit + 1);
    out->assign(text, std::min(length, limit));
    return length <= limit;
}

} // namespace

unsigned ReadShareRecord(const char *buffer, unsigned short size, ShareRequest *out) {
    if (!buffer)
        return ERROR_INVALID_PARAMETER;
    if (size < sizeof(share_info_50))
        return NERR_BufTooSmall;
    share_info_50 record;
    std::memcpy(&record, buffer, sizeof record); // the caller's bytes need no alignment
    bool ok = FieldText(record.shi50_netname, sizeof record.shi50_netname, &out->name);
    out->type = record.shi50_type;
    out->flags = record.shi50_flags;
    out->hasPath = record.shi50_path != nullptr;
    ok = PointedText(record.shi50_path, MAX_PATH - 1, &out->path) && ok;
    ok = PointedText(record.shi50_remark, kMaxShareRemark, &out->remark) && ok;
    ok = FieldText(record.shi50_rw_password, sizeof record.shi50_rw_password, &out->rwPassword) &&
         ok;
    ok = FieldText(record.shi50_ro_password, sizeof record.shi50_ro_password, &out->roPassword) &&
         ok;
    return ok ? 0u : static_cast<unsigned>(ERROR_INVALID_PARAMETER);
}

bool ValidShareName(std::string_view name) {
    if (name.empty() || name.size() > LM20_NNLEN || name.front() == ' ' || name.back() == ' ')
        return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f ||
            std::strchr("\"/\\[]:|<>+=;,*?", c))
            return false;
    return true;
}

} // namespace sim
