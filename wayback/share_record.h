// One level-50 share record from the process heap, filled for a drive or a
// printer and handed to the share service.
#pragma once

#include "platform/api.h"

#include <string_view>

class ShareRecord {
  public:
    // A zero-filled record with the given type, flags and path, the remark
    // (empty when none is given) and empty passwords; path and remark must
    // outlive the record's use.
    ShareRecord(unsigned char type, unsigned short flags, char *path, char *remark = nullptr);
    ~ShareRecord();
    ShareRecord(const ShareRecord &) = delete;
    ShareRecord &operator=(const ShareRecord &) = delete;

    // False when the heap had no room for the record.
    explicit operator bool() const { return m_record != nullptr; }

    // Adds the share under this name. A name the record's name field cannot
    // hold is refused as the share service refuses an invalid name, without
    // asking it. The setup log gets the share and the result.
    unsigned Add(std::string_view name);

  private:
    share_info_50 *m_record;
};

// Removes the share of the local machine called name; logged as Add is.
unsigned DeleteShare(const char *name);
