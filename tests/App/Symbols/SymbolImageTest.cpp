#include "App/Symbols/SymbolImage.h"

#include "core/FileOps/FileTemplate.h"
#include "core/FileOps/TemplateIcons.h"
#include "core/Models/OndravellAction.h"
#include "core/Models/SelectionAction.h"
#include "platform/SymbolIconNames.h"
#include "tests/App/OffscreenApplication.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <QImage>
#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace ondravell;

namespace {

// Symbols stored in the built-in tables plus those the application's own messages and windows name.
std::set<std::string> symbolsInUse() {
    std::set<std::string> symbols;
    for (const auto& action : OndravellAction::builtins())
        symbols.insert(action.systemImage);
    for (const auto& action : SelectionAction::builtins())
        symbols.insert(action.systemImage);
    for (const auto& fileTemplate : FileTemplate::builtins())
        symbols.insert(fileTemplate.iconSymbol);
    for (std::string_view choice : TemplateIcons::choices)
        symbols.insert(std::string(choice));
    for (const char* symbol : {"checkmark.circle.fill",
                               "exclamationmark.triangle.fill",
                               "checkmark.seal.fill",
                               "xmark.seal.fill",
                               "xmark.circle.fill",
                               "lock.badge.clock",
                               "trash",
                               "arrow.uturn.backward",
                               "square.and.arrow.up",
                               "square.and.arrow.down",
                               "icloud.and.arrow.down",
                               "arrow.down.circle",
                               "folder",
                               "gearshape",
                               "clock.arrow.circlepath",
                               "power",
                               "puzzlepiece.extension",
                               "folder.badge.questionmark",
                               "square.and.pencil",
                               "cursorarrow.click.2",
                               "filemenu.and.cursorarrow",
                               "cursorarrow.and.square.on.square.dashed",
                               "slider.horizontal.3",
                               "chevron.backward",
                               "chevron.forward",
                               "chevron.down",
                               "plus",
                               "pencil",
                               "icloud",
                               "icloud.slash",
                               "lock.shield",
                               "hand.raised"})
        symbols.insert(symbol);
    return symbols;
}

// Pixels at least half covered, and whether every fully covered one has the given colour.
struct Ink {
    int opaque = 0;
    bool allTinted = true;
};

Ink inkOf(const QImage& image, QColor tint) {
    Ink ink;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x) {
            QColor pixel = argb.pixelColor(x, y);
            if (pixel.alpha() >= 128)
                ++ink.opaque;
            if (pixel.alpha() == 255)
                ink.allTinted = ink.allTinted && pixel.rgb() == tint.rgb();
        }
    return ink;
}

} // namespace

TEST(SymbolIconNames, CoverEverySymbolTheSystemUsesOnce) {
    std::set<std::string_view> seen;
    for (const auto& entry : platform::symbolIconNames) {
        EXPECT_TRUE(seen.insert(entry.symbol).second) << entry.symbol;
        EXPECT_FALSE(entry.fallbackImage.empty()) << entry.symbol;
    }
    for (const std::string& symbol : symbolsInUse())
        EXPECT_NE(platform::symbolIconName(symbol), nullptr) << symbol;
    EXPECT_EQ(platform::iconNameForSymbol("folder.badge.plus"), "folder-new");
    EXPECT_EQ(platform::iconNameForSymbol("qrcode"), ""); // drawn from the bundled picture only
    EXPECT_EQ(platform::iconNameForSymbol("no.such.symbol"), "");
}

TEST(SymbolImage, EveryBundledPictureDrawsAShape) {
    ensureOffscreenApplication();
    for (const auto& entry : platform::symbolIconNames) {
        const QString symbol = QString::fromUtf8(entry.symbol.data(), qsizetype(entry.symbol.size()));
        for (int size : {16, 40}) {
            QImage image = SymbolImage::bundledIcon(symbol).pixmap(size, size).toImage();
            ASSERT_EQ(image.size(), QSize(size, size)) << entry.symbol;
            // A drawn shape covers part of its square, never none or all of it.
            Ink ink = inkOf(image, Qt::black);
            EXPECT_GT(ink.opaque, size * size / 40) << entry.symbol << " at " << size;
            EXPECT_LT(ink.opaque, size * size * 3 / 4) << entry.symbol << " at " << size;
        }
    }
}

TEST(SymbolImage, DrawsInTheTintAndNothingForAnUnknownName) {
    ensureOffscreenApplication();
    const QColor tint(0x35, 0x84, 0xe4);
    for (const char* symbol : {"folder.badge.plus", "checkmark.circle.fill", "doc.on.doc", "trash"}) {
        QImage image = SymbolImage::pixmap(symbol, 20, tint, 2.0).toImage();
        EXPECT_EQ(image.size(), QSize(40, 40)) << symbol;
        Ink ink = inkOf(image, tint);
        EXPECT_GT(ink.opaque, 20) << symbol;
        EXPECT_TRUE(ink.allTinted) << symbol;
    }
    EXPECT_TRUE(SymbolImage::icon("no.such.symbol").isNull());
    EXPECT_EQ(inkOf(SymbolImage::pixmap("no.such.symbol", 20, tint, 1.0).toImage(), tint).opaque, 0);
    // Different symbols are different pictures, not one shape for every unknown prefix.
    EXPECT_NE(SymbolImage::pixmap("folder.badge.plus", 20, tint, 1.0).toImage(),
              SymbolImage::pixmap("link", 20, tint, 1.0).toImage());
}

TEST(SymbolImage, ApplicationIconIsNamedForTraysAndDrawnInTheTint) {
    ensureOffscreenApplication();
    const QColor tint(Qt::white);
    QIcon icon = SymbolImage::applicationIcon(tint);
    EXPECT_EQ(icon.name(), "ondravell-symbolic");
    for (int size : {16, 22, 48}) {
        Ink ink = inkOf(icon.pixmap(size, size).toImage(), tint);
        EXPECT_GT(ink.opaque, size) << size;
        EXPECT_TRUE(ink.allTinted) << size;
    } // Outlined for trays that show the pixels on a panel of unknown colour: both colours are drawn.
    QImage haloed = SymbolImage::applicationIcon(Qt::black, Qt::white).pixmap(22, 22).toImage();
    EXPECT_GT(inkOf(haloed, Qt::black).opaque, 22);
    int white = 0;
    for (int y = 0; y < haloed.height(); ++y)
        for (int x = 0; x < haloed.width(); ++x)
            white += haloed.pixelColor(x, y).alpha() >= 128 && haloed.pixelColor(x, y).red() >= 128;
    EXPECT_GT(white, 11);
}

// A theme of black squares. Symbols take a theme's icon from its scalable folders only, never from its
// folders of one size nor from the fallback theme "hicolor", whose hundreds of folders, uncached where a
// program installed an icon without the cache, Qt's look-up would walk.
TEST(SymbolImage, TakesThemeIconsFromTheThemesScalableFoldersOnly) {
    ensureOffscreenApplication();
    ondravell::testing::TemporaryFolder icons;
    auto put = [&](const std::filesystem::path& file, std::string_view text) {
        std::filesystem::create_directories((icons.path / file).parent_path());
        ondravell::testing::writeText(icons.path / file, text);
    };
    const std::string square =
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><rect width="16" height="16"/></svg>)";
    put("Squares/index.theme",
        "[Icon Theme]\nName=Squares\nInherits=hicolor\n"
        "Directories=16x16/actions,scalable/actions\n\n"
        "[16x16/actions]\nSize=16\nType=Fixed\n\n[scalable/actions]\nSize=16\nType=Scalable\n");
    put("hicolor/index.theme", "[Icon Theme]\nName=Hicolor\nDirectories=scalable/actions\n\n"
                               "[scalable/actions]\nSize=16\nType=Scalable\n");
    put("Squares/scalable/actions/edit-copy-symbolic.svg", square);
    put("Squares/16x16/actions/edit-cut-symbolic.svg", square);
    put("hicolor/scalable/actions/user-trash-symbolic.svg", square);
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString theme = QIcon::themeName();
    QIcon::setThemeSearchPaths({QString::fromStdString(icons.path.string())});
    QIcon::setThemeName("Squares");
    struct Case {
        const char* symbol;
        bool fromTheme;
    } cases[] = {{"doc.on.doc", true}, {"scissors", false}, {"trash", false}};
    for (const Case& c : cases) {
        QImage drawn = SymbolImage::icon(c.symbol).pixmap(16, 16).toImage();
        EXPECT_EQ(inkOf(drawn, Qt::black).opaque == 16 * 16, c.fromTheme) << c.symbol;
        if (!c.fromTheme) {
            EXPECT_TRUE(drawn == SymbolImage::bundledIcon(c.symbol).pixmap(16, 16).toImage()) << c.symbol;
        }
    }
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(theme);
}
