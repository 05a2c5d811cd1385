#include "App/Selection/SelectionActionRunner.h"

#include "App/Selection/ResultContentViews.h"
#include "App/Selection/SelectionActionPlan.h"
#include "App/Selection/SelectionResultWindow.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "platform/DesktopOpener.h"
#include "platform/KeySynthesizer.h"
#include "platform/Pasteboard.h"
#include "platform/Translator.h"
#include "platform/WindowFocus.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace ondravell {

namespace {

// Time for the window manager to hand the keyboard back before the paste is pressed.
constexpr int pasteDelayMs = 40;

} // namespace

SelectionActionRunner::SelectionActionRunner(Services services) : services_(std::move(services)) {}

SelectionActionRunner::~SelectionActionRunner() {
    *alive_ = false;
}

void SelectionActionRunner::run(SelectionAction::Kind kind, const std::string& text, QPointF at) {
    carryOut(SelectionActionPlan::make(kind, text, services_.loadSettings), at);
}

void SelectionActionRunner::copy(const std::string& value) {
    if (services_.pasteboard)
        services_.pasteboard->writeString(value);
    if (services_.toast)
        services_.toast(ODLocalized("已复制"), "doc.on.doc");
}

void SelectionActionRunner::replace(const std::string& value) {
    SelectionResultWindow::shared().close();
    if (services_.pasteboard)
        services_.pasteboard->writeString(value);
    if (services_.focus && focusBeforePanel_)
        services_.focus->focus(*focusBeforePanel_);
    std::weak_ptr<bool> alive = alive_;
    QTimer::singleShot(pasteDelayMs, [this, alive] {
        if (alive.lock() && services_.keys)
            services_.keys->send(platform::KeySynthesizer::Shortcut::paste);
    });
}

void SelectionActionRunner::rememberFocus() {
    if (!services_.focus)
        return;
    std::optional<std::uint64_t> focused = services_.focus->focused();
    // While our own panel has the keyboard, the window to return to is still the one before it.
    const QWidget* panel = SelectionResultWindow::shared().panel();
    if (focused && panel && SelectionResultWindow::shared().isVisible() &&
        *focused == std::uint64_t(panel->winId()))
        return;
    focusBeforePanel_ = focused;
}

void SelectionActionRunner::carryOut(const SelectionActionPlan& plan, QPointF at) {
    using Effect = SelectionActionPlan::Effect;
    std::weak_ptr<bool> alive = alive_;
    ResultActions actions{
        [this, alive](const std::string& value) {
            if (alive.lock())
                copy(value);
        },
        [this, alive](const std::string& value) {
            if (alive.lock())
                replace(value);
        },
    };
    QWidget* content = nullptr;
    switch (plan.effect) {
    case Effect::nothing:
        return;
    case Effect::openURL:
        if (services_.opener)
            services_.opener->openURI(plan.text);
        return;
    case Effect::openAppURL:
        if (services_.opener && services_.opener->canOpenURI(plan.text))
            services_.opener->openURI(plan.text);
        else if (plan.fallbackURL && services_.opener)
            services_.opener->openURI(*plan.fallbackURL);
        else if (services_.toast)
            services_.toast(ODLocalized("未安装对应 App（%@）", plan.engineName),
                            "exclamationmark.triangle.fill");
        return;
    case Effect::revealFile:
        if (services_.opener)
            services_.opener->revealFile(plan.text);
        return;
    case Effect::lookUpWord:
        if (services_.opener)
            services_.opener->lookUpWord(plan.text);
        return;
    case Effect::copy:
        copy(plan.text);
        return;
    case Effect::showRows:
        content = ResultContentViews::rows(plan.rows, plan.copyable, plan.replaceValue, actions);
        break;
    case Effect::showText:
        content = ResultContentViews::longText(plan.text, plan.replaceValue, actions);
        break;
    case Effect::showMessage:
        content = ResultContentViews::message(plan.text);
        break;
    case Effect::showColor:
        content = ResultContentViews::color(plan.color, actions);
        break;
    case Effect::showQRCode:
        content = ResultContentViews::qrCode(*plan.qrCode);
        break;
    case Effect::showTranslation: {
        const bool available = services_.translator && services_.translator->isAvailable();
        QLabel* below = nullptr;
        content = ResultContentViews::translation(
            plan.text,
            available ? ODLocalized("正在翻译…") : ODLocalized("翻译需要安装 translate-shell（trans 命令）"),
            &below);
        if (available) {
            QPointer<QLabel> target = below;
            services_.translator->translate(plan.text, [target](std::optional<std::string> translated) {
                if (!target)
                    return;
                target->setText(QString::fromStdString(
                    translated ? *translated : ODLocalized("翻译需要安装 translate-shell（trans 命令）")));
                SelectionResultWindow::shared().refit();
            });
        }
        break;
    }
    }
    rememberFocus();
    SelectionResultWindow::shared().show(content, at, QString::fromStdString(plan.title));
}

} // namespace ondravell
