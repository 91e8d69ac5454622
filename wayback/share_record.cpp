#include "wayback/share_record.h"

#include "common/bounded_text.h"

#include "wayback/setup_log.h"

namespace {

char g_emptyRemark[] = "";

} // namespace

ShareRecord::ShareRecord(unsigned char type, unsigned short flags, char *path, char *remark)
    : m_record(static_cast<share_info_50 *>(
          HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, kShareInfo50Size))) {
    if (!m_record)
        return;
    m_record->shi50_type = type;
    m_record->shi50_flags = flags;
    m_record->shi50_remark = remark ? remark : g_emptyRemark;
    m_record->shi50_path = path;
}

ShareRecord::~ShareRecord() {
    if (m_record)
        HeapFree(GetProcessHeap(), 0, m_record);
}

unsigned ShareRecord::Add(std::string_view name) {
    unsigned result = ERROR_INVALID_PARAMETER;
    if (name.size() <= LM20_NNLEN) {
        CopyText(m_record->shi50_netname, sizeof m_record->shi50_netname, name);
        result =
            NetShareAdd(nullptr, 50, reinterpret_cast<const char *>(m_record), kShareInfo50Size);
    }
    LogLine("share-add").Quoted(name).Text(" ").Quoted(m_record->shi50_path).Result(result);
    return result;
}

unsigned DeleteShare(const char *name) {
    const unsigned result = NetShareDel(nullptr, name, 0);
    LogLine("share-del").Quoted(name).Result(result);
    return result;
}
