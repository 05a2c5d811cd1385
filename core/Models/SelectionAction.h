#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// A button of the text-selection toolbar.
struct SelectionAction {
    enum class Kind {
        translate,
        dictionary,
        search,
        copyText,
        wordCount,
        openDetected,
        caseConvert,
        encode,
        jsonTool,
        calculate,
        timestamp,
        colorPreview,
        cleanText,
        qrCode,
        askAI,
    };
    // Every kind, in declaration order (which is not the bar order of `builtins`).
    static const std::array<Kind, 15> allKinds;

    Kind kind = Kind::translate;
    std::string titleKey;                 // the Chinese button title, also its localisation key
    std::string systemImage;              // symbol of the button
    std::optional<std::string> glyphText; // a short text drawn instead of the symbol
    bool isEnabledByDefault = false;      // on the bar while the user has chosen no actions

    bool operator==(const SelectionAction&) const = default;

    // The kind's name, which is what the settings store ("askAI").
    std::string_view id() const { return rawValue(kind); }
    std::string localizedTitle() const;

    // The 15 built-in actions in the default bar order, built once on first use.
    static const std::vector<SelectionAction>& builtins();
    // The built-in actions that `ids` names, each once, ordered by the first place of its id there;
    // ids of no built-in action are skipped.
    static std::vector<SelectionAction> builtinsNamedIn(const std::vector<std::string>& ids);

    static std::string_view rawValue(Kind kind);
    // The kind of a stored name; exact, case-sensitive match.
    static std::optional<Kind> kindNamed(std::string_view raw);
};

} // namespace ondravell
