#pragma once

// A font by name and size, with one deterministic metric for every font: each
// character advances half the point size (a wide East Asian character or an
// emoji the full size, bold text a tenth more) and a line is 1.2 times the
// point size. Layouts measured with it are the same on every machine.

#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Font {
  public:
    Font() = default;
    Font(std::string name, double pointSize, bool bold = false);

    static Font systemFontOfSize(double size);
    static Font boldSystemFontOfSize(double size);
    static Font italicSystemFontOfSize(double size);
    static Font fontWithName(std::string name, double size);
    // The platform's standard sizes.
    static double systemFontSize() { return 14; }
    static double labelFontSize() { return 17; }
    static double buttonFontSize() { return 18; }
    static double smallSystemFontSize() { return 12; }

    const std::string& fontName() const { return name_; }
    const std::string& familyName() const { return family_; }
    double pointSize() const { return size_; }
    bool isBold() const { return bold_; }
    Font fontWithSize(double size) const;

    double lineHeight() const { return size_ * 1.2; }
    double ascender() const { return size_ * 0.95; }
    double descender() const { return -size_ * 0.25; }
    double capHeight() const { return size_ * 0.7; }
    double xHeight() const { return size_ * 0.5; }

    // Advance of one character (a Unicode code point) and of a UTF-8 text on one line.
    double advanceOf(char32_t c) const;
    double widthOf(std::string_view utf8) const;

    // The characters of UTF-8 text as the metric counts them, and back.
    static std::vector<char32_t> codePointsOf(std::string_view utf8);
    static std::string textOf(const std::vector<char32_t>& codePoints);

    friend bool operator==(const Font&, const Font&) = default;

  private:
    std::string name_ = "System";
    std::string family_ = "System";
    double size_ = 17;
    bool bold_ = false;
};

}  // namespace ui
