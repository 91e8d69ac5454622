// The machine's handle table: find handles and process handles are small
// numbers (multiples of 4, as Windows gives them) that stand for an object.
#pragma once

#include "platform/api.h"

#include <memory>

namespace sim {

struct HandleObject {
    virtual ~HandleObject() = default;
};

// A new handle for the object; never NULL nor INVALID_HANDLE_VALUE, never reused.
HANDLE AddHandle(std::shared_ptr<HandleObject> object);

// The object of a handle when it is open and of type T, else null.
std::shared_ptr<HandleObject> FindHandle(HANDLE handle);
template <class T> std::shared_ptr<T> FindHandleOf(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(FindHandle(handle));
}

// Closes the handle; false when it was not open.
bool RemoveHandle(HANDLE handle);

} // namespace sim
