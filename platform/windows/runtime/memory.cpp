// The memory and string functions of the C library that the compiler, the
// C++ library and our code call. Plain loops: the texts are short. Built
// without the compiler's own knowledge of these functions
// (platform/CMakeLists.txt), which would turn the loops back into calls to
// them.
#include <cstring>

extern "C" {

void *memcpy(void *to, const void *from, std::size_t count) {
    auto *out = static_cast<unsigned char *>(to);
    const auto *in = static_cast<const unsigned char *>(from);
    for (; count > 0; --count)
        *out++ = *in++;
    return to;
}

void *memmove(void *to, const void *from, std::size_t count) {
    auto *out = static_cast<unsigned char *>(to);
    const auto *in = static_cast<const unsigned char *>(from);
    if (out <= in)
        return memcpy(to, from, count);
    while (count > 0) {
        --count;
        out[count] = in[count];
    }
    return to;
}

void *memset(void *to, int value, std::size_t count) {
    auto *out = static_cast<unsigned char *>(to);
    for (; count > 0; --count)
        *out++ = static_cast<unsigned char>(value);
    return to;
}

int memcmp(const void *a, const void *b, std::size_t count) {
    const auto *left = static_cast<const unsigned char *>(a);
    const auto *right = static_cast<const unsigned char *>(b);
    for (; count > 0; --count, ++left, ++right)
        if (*left != *right)
            return *left < *right ? -1 : 1;
    return 0;
}

void *memchr(const void *memory, int value, std::size_t count) {
    const auto *at = static_cast<const unsigned char *>(memory);
    for (; count > 0; --count, ++at)
        if (*at == static_cast<unsigned char>(value))
            return const_cast<unsigned char *>(at);
    return nullptr;
}

std::size_t strlen(const char *text) {
    const char *end = text;
    while (*end)
        ++end;
    return static_cast<std::size_t>(end - text);
}

int strncmp(const char *a, const char *b, std::size_t count) {
    for (; count > 0; --count, ++a, ++b)
        if (*a != *b || !*a)
            return static_cast<unsigned char>(*a) - static_cast<unsigned char>(*b);
    return 0;
}

} // extern "C"
