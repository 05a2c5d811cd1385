#include "App/Selection/SelectionActionRunner.h"

#include "App/Selection/ColorPreviewView.h"
#include "App/Selection/ResultContentViews.h"
#include "App/Selection/ResultTextView.h"
#include "App/Selection/RowsView.h"
#include "App/Selection/SelectionActionPlan.h"
#include "App/Selection/SelectionResultWindow.h"
#include "App/Selection/TranslateView.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "platform/DesktopOpener.h"
#include "platform/FocusedText.h"
#include "platform/KeySynthesizer.h"
#include "platform/OneShotTimers.h"
#include "platform/Pasteboard.h"
#include "platform/TaskQueue.h"
#include "platform/Translator.h"
#include "platform/WindowFocus.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <utility>

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
    const std::uint64_t run = ++runs_;
    cancelBusyTimer();
    // The busy line of an earlier action that this one replaces goes with it.
    if (std::exchange(busyShown_, false) && wanted_ == SelectionResultWindow::shared().generation())
        SelectionResultWindow::shared().close();
    selectedText_ = text;
    platform::TaskQueue* queue = services_.queue;
    if (!queue || !SelectionActionPlan::computesInBackground(kind)) {
        carryOut(SelectionActionPlan::make(kind, text, services_.loadSettings), at);
        return;
    }
    // The result belongs to this run and to what the panel shows now (or to the busy line shown for
    // it): a later action, a new result or a close in between make it stale.
    wanted_ = SelectionResultWindow::shared().generation();
    std::weak_ptr<bool> alive = alive_;
    if (services_.timers)
        busyTimer_ = services_.timers->schedule(busyDelay, [this, alive, kind, at, run] {
            if (!alive.lock() || run != runs_)
                return;
            busyTimer_.reset();
            if (wanted_ == SelectionResultWindow::shared().generation())
                showBusy(kind, at);
        });
    queue->runInBackground([this, alive, queue, kind, text, at, run] {
        auto plan = std::make_shared<const SelectionActionPlan>(SelectionActionPlan::make(kind, text, {}));
        queue->runOnMain([this, alive, plan, at, run] {
            if (!alive.lock() || run != runs_)
                return;
            cancelBusyTimer();
            const bool busyShown = std::exchange(busyShown_, false);
            if (wanted_ != SelectionResultWindow::shared().generation())
                return;
            // A busy line for a result that turned out to be nothing goes.
            if (plan->effect == SelectionActionPlan::Effect::nothing && busyShown)
                SelectionResultWindow::shared().close();
            else
                carryOut(*plan, at);
        });
    });
}

void SelectionActionRunner::showBusy(SelectionAction::Kind kind, QPointF at) {
    std::string title;
    for (const SelectionAction& action : SelectionAction::builtins())
        if (action.kind == kind)
            title = action.localizedTitle();
    rememberFocus();
    SelectionResultWindow::shared().show(ResultContentViews::message(ODLocalized("正在处理…")), at,
                                         QString::fromStdString(title));
    wanted_ = SelectionResultWindow::shared().generation();
    busyShown_ = true;
}

void SelectionActionRunner::cancelBusyTimer() {
    if (services_.timers && busyTimer_)
        services_.timers->cancel(*busyTimer_);
    busyTimer_.reset();
}

void SelectionActionRunner::prepareViews() {
    if (std::exchange(viewsPrepared_, true))
        return;
    const std::string sample = "Ab 你好 123";
    SelectionResultWindow::shared().prepare(
        new RowsView({{ODLocalized("字符"), sample}}, true, sample, ResultActions{}));
    SelectionResultWindow::shared().prepare(new ResultTextView(sample, sample, ResultActions{}));
}

void SelectionActionRunner::copy(const std::string& value) {
    if (services_.pasteboard)
        services_.pasteboard->writeString(value);
    if (services_.toast)
        services_.toast(ODLocalized("已复制"), "doc.on.doc");
}

void SelectionActionRunner::replace(const std::string& value) {
    SelectionResultWindow::shared().close();
    if (!services_.focusedText) {
        paste(value);
        return;
    }
    std::weak_ptr<bool> alive = alive_;
    services_.focusedText->replaceSelection(selectedText_, value, [this, alive, value](bool replaced) {
        if (alive.lock() && !replaced)
            paste(value);
    });
}

void SelectionActionRunner::paste(const std::string& value) {
    if (services_.pasteboard)
        services_.pasteboard->writeString(value);
    if (!keysReachFocusBeforePanel_) {
        if (services_.toast)
            services_.toast(ODLocalized("已复制，请按 Ctrl+V 粘贴"), "doc.on.doc");
        return;
    }
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
    keysReachFocusBeforePanel_ = !services_.keysReachFocusedWindow || services_.keysReachFocusedWindow();
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
        content = new RowsView(plan.rows, plan.copyable, plan.replaceValue, actions);
        break;
    case Effect::showText:
        content = new ResultTextView(plan.text, plan.replaceValue, actions);
        break;
    case Effect::showMessage:
        content = ResultContentViews::message(plan.text);
        break;
    case Effect::showColor:
        content = new ColorPreviewView(plan.color, actions);
        break;
    case Effect::showQRCode:
        content = ResultContentViews::qrCode(*plan.qrCode);
        break;
    case Effect::showTranslation:
        showTranslation(plan, at);
        return;
    }
    rememberFocus();
    SelectionResultWindow::shared().show(content, at, QString::fromStdString(plan.title));
}

// The translation fills in below the text when the program answers; it is stopped as soon as the
// panel shows something else or closes.
void SelectionActionRunner::showTranslation(const SelectionActionPlan& plan, QPointF at) {
    platform::Translator* translator = services_.translator;
    const bool available = translator && translator->isAvailable();
    const std::string missing = ODLocalized("翻译需要安装 translate-shell（trans 命令）");
    auto* content = new TranslateView(plan.text, available ? ODLocalized("正在翻译…") : missing);
    std::function<void()> whenGone;
    if (available) {
        QPointer<TranslateView> target = content;
        // The program is there: a run that fails, even one that could not be started, is a failure.
        const platform::Translator::Ticket ticket =
            translator->translate(plan.text, [target](std::optional<std::string> translated) {
                if (!target)
                    return;
                target->showTranslated(translated ? *translated : ODLocalized("翻译失败"));
                SelectionResultWindow::shared().refit();
            });
        std::weak_ptr<bool> alive = alive_;
        whenGone = [alive, translator, ticket] {
            if (alive.lock())
                translator->cancel(ticket);
        };
    }
    rememberFocus();
    SelectionResultWindow::shared().show(content, at, QString::fromStdString(plan.title),
                                         std::move(whenGone));
}

} // namespace ondravell
