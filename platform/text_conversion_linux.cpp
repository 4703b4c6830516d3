#include "core/errors.h"
#include "platform/text_conversion.h"

#include <iconv.h>
#include <vector>

namespace velmora {

namespace {

// One iconv conversion descriptor, closed however the conversion ends.
class Converter {
public:
    explicit Converter(TextEncoding from)
        : descriptor_(iconv_open("UTF-8", encodingName(from))) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): iconv_open reports a failure as (iconv_t) -1.
        if (descriptor_ == reinterpret_cast<iconv_t>(-1))
            throw Error(noConverterMessage(from));
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() { iconv_close(descriptor_); }

    std::optional<std::string> convert(std::string_view bytes) {
        // Every encoding read here takes at most 4 UTF-8 bytes for each 2 of its own, except
        // GB18030 and UTF-8, whose single bytes stay single: 3 bytes out for each byte in is room
        // enough.
        std::vector<char> out(bytes.size() * 3 + 4);
        // iconv's interface takes a non-const input pointer but never writes through it.
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        char* outAt = out.data();
        std::size_t outLeft = out.size();
        if (iconv(descriptor_, &in, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1) ||
            iconv(descriptor_, nullptr, nullptr, &outAt, &outLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        return std::string(out.data(), outAt);
    }

private:
    iconv_t descriptor_;
};

} // namespace

std::optional<std::string> toUtf8(TextEncoding encoding, std::string_view bytes) {
    return Converter(encoding).convert(bytes);
}

} // namespace velmora
