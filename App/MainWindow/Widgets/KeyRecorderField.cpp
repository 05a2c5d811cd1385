#include "App/MainWindow/Widgets/KeyRecorderField.h"

#include "App/HotKeys/HotKeyManager.h"
#include "App/MainWindow/Models/KeyRecording.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"
#include "platform/KeyboardLayout.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace ondravell {

namespace {

constexpr int minimumLabelWidth = 96;

bool isModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

} // namespace

KeyRecorderField::KeyRecorderField(const platform::KeyboardLayout* layout, QWidget* parent)
    : QWidget(parent),
      layout_(layout),
      button_(new QPushButton),
      clear_(new QToolButton),
      note_(new QLabel(QStringLiteral("已被其他程序占用"))) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    note_->setStyleSheet(QStringLiteral("QLabel { color: #e67e00; }"));
    note_->setToolTip(
        QStringLiteral("另一个程序已占用这个组合键，按下时由它响应。换一个组合键，或在那个程序里取消它。"));
    row->addWidget(note_);
    button_->setMinimumWidth(minimumLabelWidth);
    row->addWidget(button_);
    clear_->setAutoRaise(true);
    clear_->setIcon(symbolIcon("xmark.circle.fill", palette().color(QPalette::PlaceholderText)));
    clear_->setToolTip(QStringLiteral("清除"));
    clear_->setAccessibleName(QStringLiteral("清除快捷键"));
    row->addWidget(clear_);
    connect(button_, &QPushButton::clicked, this,
            [this] { recording_ ? stopRecording() : startRecording(); });
    // Ends a recording while the hot keys' services still exist: this field may outlive them at exit.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { stopRecording(); });
    connect(clear_, &QToolButton::clicked, this, [this] {
        if (onChange)
            onChange(std::nullopt);
    });
    refresh();
}

KeyRecorderField::~KeyRecorderField() {
    if (recording_) {
        qApp->removeEventFilter(this);
        HotKeyManager::shared().resumeAfterRecording();
    }
}

void KeyRecorderField::setHotKey(const std::optional<HotKeySpec>& hotKey) {
    hotKey_ = hotKey;
    refresh();
}

void KeyRecorderField::startRecording() {
    // Paused before another recorder resumes, so that the hot keys stay released across the handover.
    HotKeyManager::shared().pauseForRecording();
    // One recorder listens at a time: one that still did would keep its pause and take the next key.
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* other = dynamic_cast<KeyRecorderField*>(widget);
            other && other != this && other->recording_)
            other->stopRecording();
    recording_ = true;
    qApp->installEventFilter(this);
    button_->grabKeyboard();
    refresh();
}

void KeyRecorderField::stopRecording() {
    if (recording_) {
        button_->releaseKeyboard();
        qApp->removeEventFilter(this);
        recording_ = false;
        // Registers the hot keys again, the one just recorded among them.
        HotKeyManager::shared().resumeAfterRecording();
    }
    refresh();
}

void KeyRecorderField::hideEvent(QHideEvent* event) {
    stopRecording();
    QWidget::hideEvent(event);
}

bool KeyRecorderField::eventFilter(QObject* watched, QEvent* event) {
    if (!recording_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Accepted, the press goes to the focused widget as a key press instead of triggering a
        // shortcut of the window or a menu; the press below is then taken here.
        event->accept();
        return true;
    case QEvent::KeyRelease:
        return true;
    case QEvent::KeyPress: {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        platform::KeyDescription key;
        if (layout_)
            key = layout_->describe(keyEvent->nativeScanCode());
        Qt::KeyboardModifiers held = keyEvent->modifiers();
        KeyRecordingStep step =
            KeyRecording::press({key.keyCode, isModifierKey(keyEvent->key()), key.text,
                                 held.testFlag(Qt::ControlModifier), held.testFlag(Qt::AltModifier),
                                 held.testFlag(Qt::ShiftModifier), held.testFlag(Qt::MetaModifier)});
        if (step.recorded && onChange)
            onChange(step.recorded);
        if (step.stopsRecording)
            stopRecording();
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void KeyRecorderField::refresh() {
    if (recording_)
        button_->setText(QStringLiteral("按下快捷键…"));
    else
        button_->setText(hotKey_ ? toQString(hotKey_->display) : QStringLiteral("未设置"));
    // Orange while it waits for a key, the palette's own text colour otherwise.
    button_->setStyleSheet(recording_ ? QStringLiteral("QPushButton { color: #e67e00; font-weight: bold; }")
                                      : QString());
    clear_->setVisible(hotKey_.has_value());
    note_->setVisible(!recording_ && hotKey_ && HotKeyManager::shared().heldElsewhere(*hotKey_));
}

} // namespace ondravell
