#include "bench/field_file/largest_field_file.h"

#include "formats/text_decoding.h"

#include <array>
#include <cinttypes>
#include <cstdint>
#include <cstdio>

namespace velmora::bench {

namespace {

constexpr int stationsPerLine = 20;

// Writes blocks with every length in 1/100 mm (units digit 8), as a precise level does.
class Writer {
public:
    std::string file() {
        for (int line = 1;; ++line) {
            std::string block =
                lineText("BM" + std::to_string(line), "BM" + std::to_string(line + 1));
            if (text_.size() + block.size() > mostTableBytes)
                return text_;
            text_ += block;
        }
    }

private:
    static std::string word(const char* index, std::int64_t value) {
        std::array<char, 40> text{};
        std::snprintf(text.data(), text.size(), "%s%c%016" PRId64 " ", index, value < 0 ? '-' : '+',
                      value < 0 ? -value : value);
        return text.data();
    }

    std::string pointWord(const std::string& point) {
        std::array<char, 16> number{};
        std::snprintf(number.data(), number.size(), "*11%04d+", ++block_ % 10000);
        return number.data() + std::string(16 - point.size(), '0') + point + " ";
    }

    // A draw from a fixed linear congruential sequence, from `low` up to `low + span - 1`.
    std::int64_t draw(std::int64_t low, std::uint32_t span) {
        state_ = state_ * 1664525u + 1013904223u;
        return low + static_cast<std::int64_t>((state_ >> 8u) % span);
    }

    std::string lineText(const std::string& from, const std::string& to) {
        std::array<char, 32> start{};
        std::snprintf(start.data(), start.size(), "*41%04d+?..............2 \r\n",
                      ++block_ % 10000);
        std::string text = start.data();
        text += pointWord(from) + word("83..18", height_) + "\r\n";
        std::int64_t balance = 0;
        std::int64_t total = 0;
        for (int k = 1; k <= stationsPerLine; ++k) {
            const std::string back = k == 1 ? from : std::to_string(k - 1);
            const std::string fore = k == stationsPerLine ? to : std::to_string(k);
            const std::int64_t backReading = draw(50'000, 130'000);
            const std::int64_t foreReading = draw(50'000, 130'000);
            const std::int64_t backDistance = draw(2'000'000, 2'500'000);
            const std::int64_t foreDistance = backDistance + draw(-50'000, 100'000);
            const auto sight = [&](const std::string& point, const char* index,
                                   std::int64_t reading, std::int64_t distance) {
                text += pointWord(point) + word("32...8", distance) + word(index, reading) + "\r\n";
            };
            sight(back, "331.08", backReading, backDistance);
            sight(fore, "332.08", foreReading, foreDistance);
            sight(fore, "336.08", foreReading, foreDistance);
            sight(back, "335.08", backReading, backDistance);
            height_ += backReading - foreReading;
            balance += backDistance - foreDistance;
            total += backDistance + foreDistance;
            text += pointWord(fore) + word("571.08", 0) + word("572.08", 0) +
                    word("573..8", balance) + word("574..8", total) + word("83..08", height_) +
                    "\r\n";
        }
        return text;
    }

    std::string text_;
    int block_ = 0;
    std::uint32_t state_ = 20240611u;
    std::int64_t height_ = 10'000'000; // 100 m
};

} // namespace

const std::string& largestFieldFile() {
    static const std::string file = Writer().file();
    return file;
}

} // namespace velmora::bench
