#include "ui/keyboard.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

#include <set>

namespace qv {
namespace {

void GiveMnemonics(const QList<QAction*>& actions) {
    QStringList captions;
    QList<QAction*> named;
    for (QAction* action : actions) {
        if (action->isSeparator()) continue;
        captions << action->text();
        named << action;
        if (QMenu* menu = action->menu()) GiveMnemonics(menu->actions());
    }
    const QStringList marked = WithMnemonics(captions);
    for (qsizetype i = 0; i < named.size(); ++i) named[i]->setText(marked[i]);
}

class PlainKeysOnly : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        constexpr Qt::KeyboardModifiers Commands =
            Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier;
        if (!(key->modifiers() & Commands) || key->text().isEmpty() || !key->text()[0].isPrint())
            return false;
        for (const QKeySequence::StandardKey editing :
             {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo,
              QKeySequence::Redo, QKeySequence::SelectAll})
            if (key->matches(editing)) return false;
        return true; // dropped: neither text nor an edit
    }
};

class FrameKeys : public QObject {
public:
    explicit FrameKeys(QScrollBar* bar) : QObject(bar), bar_(bar) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
        switch (key->key()) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        case Qt::Key_Left:
        case Qt::Key_Up:
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_PageDown:
            action = QAbstractSlider::SliderPageStepAdd;
            break;
        case Qt::Key_PageUp:
            action = QAbstractSlider::SliderPageStepSub;
            break;
        case Qt::Key_Home:
            action = QAbstractSlider::SliderToMinimum;
            break;
        case Qt::Key_End:
            action = QAbstractSlider::SliderToMaximum;
            break;
        default:
            return false;
        }
        bar_->triggerAction(action);
        return true;
    }

private:
    QScrollBar* bar_;
};

} // namespace

QStringList WithMnemonics(const QStringList& captions) {
    std::set<QChar> taken;
    QStringList marked;
    for (const QString& caption : captions) {
        QString text = caption;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar key = text[i].toLower();
            if (!text[i].isLetterOrNumber() || taken.count(key)) continue;
            taken.insert(key);
            text.insert(i, QLatin1Char('&'));
            break;
        }
        marked << text;
    }
    return marked;
}

void GiveMnemonics(QMenuBar* bar) {
    GiveMnemonics(bar->actions());
}

void TypeOnlyPlainKeys(QWidget* box, QLineEdit* edit) {
    // The box passes keys on to its line edit directly, past the edit's filters.
    for (QObject* watched : {static_cast<QObject*>(box), static_cast<QObject*>(edit)})
        watched->installEventFilter(new PlainKeysOnly(watched));
}

void MoveByFrameKeys(QScrollBar* bar) {
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->installEventFilter(new FrameKeys(bar));
}

} // namespace qv
