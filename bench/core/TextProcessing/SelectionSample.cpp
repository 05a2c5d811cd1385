#include "bench/core/TextProcessing/SelectionSample.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace ondravell::bench {

namespace {

constexpr std::array<std::string_view, 24> mixedPieces{
    "The quick brown fox jumps over the lazy dog. ",
    "parseXMLDocument(userName, maxRetryCount);\n",
    "let total_amount = compute_total_amount(order_items, TAX_RATE);\n",
    "kebab-case-file-name.config.json ",
    "version2Update iPhone HTTPServerError x2y 2nd ",
    "使用macOS系统和Linux系统的用户在第3章里可以找到答案。",
    "這是一段繁體中文的文字，說明軟體的設定與使用方式。",
    "这是一段简体中文的文字，说明软件的设置与使用方式。",
    "  two  spaces\tand\t\ttabs   here  ",
    "\n\n\n\n",
    "Straße Über café naïve résumé ",
    "İstanbul ıstakoz ",
    "emoji 👍 done ✅ ",
    "/usr/local/bin/ondravell --service odHash\n",
    "MAX_BUFFER_SIZE = 4096; // bytes\n",
    "Line one\r\nLine two\r\n",
    "ΟΔΥΣΣΕΥΣ και Σίσυφος ",
    "日本語のテキストとKatakanaカタカナ、한국어 텍스트123 ",
    "getHTTPResponseCode fooBarBaz FooBarBaz foo_bar_baz ",
    "Numbers 1234567890 and 3.14159 and 1e10. ",
    "A sentence that ends here.\n",
    "E\xcc\x81\x63ole combining marks a\xcc\x8a ",
    "JSONToolTest::prettyPrintSortsKeys ",
    "\n",
};

constexpr std::array<std::string_view, 12> emojiPieces{
    "hello 👋 world ",
    "👍🏽 thumbsUp ",
    "👨‍👩‍👧‍👦 familyTime ",
    "🇨🇳🇺🇸🇯🇵 flags_here ",
    "1️⃣2️⃣3️⃣ keycapCount ",
    "❤️ ",
    "🧑🏻‍💻 codeMonkey ",
    "😀😃😄😁😆 ",
    "partyPopper🎉Ready ",
    "🏳️‍🌈 ",
    "emoji-in-kebab-🚀-case ",
    "\n",
};

constexpr std::array<std::string_view, 10> rightToLeftPieces{
    "مرحبا بالعالم ",
    "اَلْعَرَبِيَّةُ لُغَةٌ جَمِيلَةٌ ",
    "שָׁלוֹם עוֹלָם ",
    "userName مستخدم ",
    "١٢٣٤٥ ٦٧٨٩٠ ",
    "getValue قيمة_جديدة ",
    "עברית-עם-מקפים ",
    "ملف.نصي/مسار ",
    "MixedText نص مختلط HTTPRequest ",
    "\n",
};

constexpr std::array<std::string_view, 8> chinesePieces{
    "这是一段简体中文的文字，说明软件的设置与使用方式。",
    "這是一段繁體中文的文字，說明軟體的設定與使用方式。",
    "三只猫在周一吃了余下的饭，",
    "我们在第3章里讨论了Linux系统的发展历史。",
    "「乾隆皇帝」與「頭髮」的「發展」，",
    "他说：“今天的天气很好，我们去公园散步吧！”",
    "\n",
    "關於這個問題，請參閱說明文件的後半部分。",
};

template <std::size_t N>
std::string repeatPieces(const std::array<std::string_view, N>& pieces, std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 256);
    // A fixed pseudo-random order, so that no piece always follows the same neighbour.
    std::uint32_t seed = 2463534242u;
    while (text.size() < bytes) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        text += pieces[seed % N];
    }
    return text;
}

} // namespace

std::string makeSelectionSample(SelectionKind kind, std::size_t bytes) {
    switch (kind) {
    case SelectionKind::mixed:
        return repeatPieces(mixedPieces, bytes);
    case SelectionKind::emoji:
        return repeatPieces(emojiPieces, bytes);
    case SelectionKind::rightToLeft:
        return repeatPieces(rightToLeftPieces, bytes);
    case SelectionKind::chinese:
        return repeatPieces(chinesePieces, bytes);
    }
    return {};
}

} // namespace ondravell::bench
