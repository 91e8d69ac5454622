#include "platform/framework/format_text.h"

#include <cstdarg>
#include <cstdint>

namespace vp {

namespace {

// Where the text goes: all of it counted, what fits written.
struct Output {
    char *buffer;
    std::size_t size;
    std::size_t length = 0;

    void Put(char c) {
        if (length + 1 < size)
            buffer[length] = c;
        ++length;
    }
    void Repeat(char c, int count) {
        for (; count > 0; --count)
            Put(c);
    }
};

struct Directive {
    bool left = false;  // flag -
    bool zeros = false; // flag 0
    int width = 0;
    int precision = -1; // none
};

// A field: a minus sign if asked for, zeros, then the text, in blanks up to
// the width.
void PutField(Output &out, const Directive &field, bool minus, int zeros, const char *text,
              int length) {
    const int padding = field.width - (minus ? 1 : 0) - zeros - length;
    if (!field.left)
        out.Repeat(' ', padding);
    if (minus)
        out.Put('-');
    out.Repeat('0', zeros);
    for (int i = 0; i < length; ++i)
        out.Put(text[i]);
    if (field.left)
        out.Repeat(' ', padding);
}

// A number with the zeros a precision or the 0 flag asks for. Wide enough
// for an int, a long and a size_t of every build.
void PutNumber(Output &out, const Directive &field, std::uintptr_t magnitude, bool minus,
               unsigned base, char letterA) {
    char digits[sizeof magnitude * 3];
    char *first = digits + sizeof digits;
    for (; magnitude > 0; magnitude /= base) {
        const unsigned digit = static_cast<unsigned>(magnitude % base);
        *--first = static_cast<char>(digit < 10 ? '0' + digit : letterA + (digit - 10));
    }
    if (first == digits + sizeof digits && field.precision != 0)
        *--first = '0';
    const int length = static_cast<int>(digits + sizeof digits - first);
    int zeros = field.precision > length ? field.precision - length : 0;
    if (field.zeros && !field.left && field.precision < 0)
        zeros = field.width - length - (minus ? 1 : 0);
    PutField(out, field, minus, zeros > 0 ? zeros : 0, first, length);
}

// Text, no further than the precision (the array need not end within it).
int TextLength(const char *text, int precision) {
    int length = 0;
    while ((precision < 0 || length < precision) && text[length])
        ++length;
    return length;
}

// A width or precision written as digits; at points past them.
int ReadCount(const char *&at) {
    int count = 0;
    for (; *at >= '0' && *at <= '9'; ++at)
        count = count * 10 + (*at - '0');
    return count;
}

} // namespace

bool FormatText(char *buffer, std::size_t size, const char *format, ...) {
    if (size == 0)
        return false;
    va_list arguments;
    va_start(arguments, format);
    Output out{buffer, size};
    bool understood = true;
    for (const char *at = format; *at; ++at) {
        if (*at != '%') {
            out.Put(*at);
            continue;
        }
        ++at;
        Directive field;
        for (;; ++at) {
            if (*at == '-')
                field.left = true;
            else if (*at == '0')
                field.zeros = true;
            else
                break;
        }
        if (*at == '*') {
            ++at;
            field.width = va_arg(arguments, int);
            // A negative width from the arguments is the - flag.
            if (field.width < 0) {
                field.left = true;
                field.width = -field.width;
            }
        } else {
            field.width = ReadCount(at);
        }
        if (*at == '.') {
            ++at;
            if (*at == '*') {
                ++at;
                field.precision = va_arg(arguments, int);
                if (field.precision < 0)
                    field.precision = -1;
            } else {
                field.precision = ReadCount(at);
            }
        }
        const char length = *at == 'l' || *at == 'z' ? *at++ : '\0';
        switch (*at) {
        case 'd':
        case 'i': {
            std::intptr_t value = length == 'l'   ? va_arg(arguments, long)
                                  : length == 'z' ? va_arg(arguments, std::intptr_t)
                                                  : va_arg(arguments, int);
            const bool negative = value < 0;
            PutNumber(out, field,
                      negative ? 0 - static_cast<std::uintptr_t>(value)
                               : static_cast<std::uintptr_t>(value),
                      negative, 10, 'a');
            break;
        }
        case 'u':
        case 'x':
        case 'X': {
            const std::uintptr_t value = length == 'l'   ? va_arg(arguments, unsigned long)
                                         : length == 'z' ? va_arg(arguments, std::size_t)
                                                         : va_arg(arguments, unsigned);
            PutNumber(out, field, value, false, *at == 'u' ? 10 : 16, *at == 'X' ? 'A' : 'a');
            break;
        }
        case 'c': {
            const char c = static_cast<char>(va_arg(arguments, int));
            PutField(out, field, false, 0, &c, 1);
            break;
        }
        case 's': {
            const char *text = va_arg(arguments, const char *);
            if (!text)
                text = "(null)";
            PutField(out, field, false, 0, text, TextLength(text, field.precision));
            break;
        }
        case '%':
            out.Put('%');
            break;
        default:
            understood = false;
        }
        if (!understood)
            break;
    }
    va_end(arguments);
    buffer[out.length < size ? out.length : size - 1] = '\0';
    return understood && out.length < size;
}

} // namespace vp
