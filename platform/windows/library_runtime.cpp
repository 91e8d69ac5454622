// The C++ library's error paths for a build without exceptions (the code
// uses none). By default the library throws when memory runs out or when it
// is misused; here those paths end the program as an uncaught exception
// would. Defining them keeps the exception classes, the unwinder and the
// formatted messages out of the programs: half of their size.
#include <cstdlib>
#include <new>

namespace std {

void __throw_bad_cast() {
    abort();
}
void __throw_bad_function_call() {
    abort();
}
void __throw_bad_alloc() {
    abort();
}
void __throw_bad_typeid() {
    abort();
}
void __throw_bad_exception() {
    abort();
}
void __throw_bad_array_new_length() {
    abort();
}
void __throw_logic_error(const char *) {
    abort();
}
void __throw_range_error(const char *) {
    abort();
}
void __throw_domain_error(const char *) {
    abort();
}
void __throw_length_error(const char *) {
    abort();
}
void __throw_out_of_range(const char *) {
    abort();
}
void __throw_runtime_error(const char *) {
    abort();
}
void __throw_overflow_error(const char *) {
    abort();
}
void __throw_underflow_error(const char *) {
    abort();
}
void __throw_invalid_argument(const char *) {
    abort();
}
void __throw_out_of_range_fmt(const char *, ...) {
    abort();
}

} // namespace std

// The replaceable global allocation functions, on the C runtime's heap.
void *operator new(std::size_t size) {
    if (void *memory = std::malloc(size ? size : 1))
        return memory;
    std::abort();
}
void *operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void *memory) noexcept {
    std::free(memory);
}
void operator delete[](void *memory) noexcept {
    std::free(memory);
}
void operator delete(void *memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void *memory, std::size_t) noexcept {
    std::free(memory);
}
