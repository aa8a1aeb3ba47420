#include "window_walk.h"

#include "app/main_frame.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTextEdit>
#include <QToolBar>

namespace zembra {

namespace {

bool isJapanese(char32_t c)
{
    return (c >= 0x3000 && c <= 0x30FF)    // CJK punctuation, hiragana, katakana
        || (c >= 0x31F0 && c <= 0x31FF)    // katakana extensions
        || (c >= 0x3400 && c <= 0x4DBF)    // kanji, extension A
        || (c >= 0x4E00 && c <= 0x9FFF)    // kanji
        || (c >= 0xF900 && c <= 0xFAFF)    // compatibility kanji
        || (c >= 0xFF00 && c <= 0xFFEF);   // full-width forms, half-width katakana
}

// The text as a button or label shows it: "&&" is an ampersand, a single "&" marks the mnemonic.
QString shown(const QString& text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') {
                plain += '&';
                ++i;
            }
            continue;
        }
        plain += text[i];
    }
    return plain;
}

QString nameOf(QWidget* widget)
{
    const QString name = widget->objectName();
    return QString::fromLatin1(widget->metaObject()->className()) + (name.isEmpty() ? QString() : '#' + name);
}

} // namespace

bool HasJapanese(const QString& text)
{
    for (char32_t c : text.toUcs4()) {
        if (isJapanese(c)) {
            return true;
        }
    }
    return false;
}

void WindowWalk::Text(const QString& where, const QString& text)
{
    if (!text.isEmpty()) {
        m_seen.push_back({where, text});
    }
}

QStringList WindowWalk::Japanese() const
{
    QStringList found;
    for (const Seen& seen : m_seen) {
        if (HasJapanese(seen.text)) {
            const QString line = seen.where + QStringLiteral(": ") + seen.text;
            if (!found.contains(line)) {
                found << line;
            }
        }
    }
    return found;
}

void WindowWalk::Action(QAction* action, const QString& where)
{
    if (action->isSeparator()) {
        return;
    }
    const QString at = where + QStringLiteral(" > ") + shown(action->text());
    Text(at + QStringLiteral(" (text)"), action->text());
    Text(at + QStringLiteral(" (tool tip)"), action->toolTip());
    Text(at + QStringLiteral(" (status tip)"), action->statusTip());
    Text(at + QStringLiteral(" (icon text)"), action->iconText());
    Text(at + QStringLiteral(" (what's this)"), action->whatsThis());
    if (action->menu()) {
        Menu(action->menu(), at);
    }
}

void WindowWalk::Menu(QMenu* menu, const QString& where)
{
    Text(where + QStringLiteral(" (menu title)"), menu->title());
    for (QAction* action : menu->actions()) {
        Action(action, where);
    }
}

void WindowWalk::Frame(CMainFrame& frame)
{
    Text(QStringLiteral("window title"), frame.windowTitle());
    for (QAction* popup : frame.menuBar()->actions()) {
        Action(popup, QStringLiteral("menu bar"));
    }
    for (QToolBar* toolBar : {frame.mainToolBar(), frame.canvasToolBar()}) {
        for (QAction* action : toolBar->actions()) {
            Action(action, toolBar->objectName());
        }
        Widget(toolBar, toolBar->objectName());
    }
    Widget(frame.statusBar(), QStringLiteral("status bar"));
}

void WindowWalk::Dialog(QWidget& dialog, const QString& className)
{
    ++m_dialogs;
    if (!m_dialogClasses.contains(className)) {
        m_dialogClasses << className;
    }
    const bool wasVisible = dialog.isVisible();
    dialog.show();
    QApplication::processEvents();
    Widget(&dialog, className);
    if (!wasVisible) {
        dialog.hide();
    }
}

void WindowWalk::Widget(QWidget* root, const QString& where)
{
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    // Qt's own dialogs are laid out by Qt: only ours are measured.
    const bool ours = !where.startsWith('Q');
    for (QWidget* widget : widgets) {
        if (!widget->isVisible()) {
            continue;
        }
        const QString at = where + QStringLiteral(" / ") + nameOf(widget);
        if (widget->isWindow()) {
            Text(at + QStringLiteral(" (window title)"), widget->windowTitle());
        }
        Text(at + QStringLiteral(" (tool tip)"), widget->toolTip());
        Text(at + QStringLiteral(" (status tip)"), widget->statusTip());
        Text(at + QStringLiteral(" (what's this)"), widget->whatsThis());
        Text(at + QStringLiteral(" (accessible name)"), widget->accessibleName());
        Text(at + QStringLiteral(" (accessible description)"), widget->accessibleDescription());
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            Text(at, label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            Text(at, button->text());
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            Text(at, box->title());
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < list->count(); ++i) {
                Text(at + QStringLiteral(" (entry)"), list->itemText(i));
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            Text(at, edit->text());
            Text(at + QStringLiteral(" (placeholder)"), edit->placeholderText());
        } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
            Text(at + QStringLiteral(" (prefix)"), spin->prefix());
            Text(at + QStringLiteral(" (suffix)"), spin->suffix());
            Text(at + QStringLiteral(" (special value)"), spin->specialValueText());
        } else if (auto* decimal = qobject_cast<QDoubleSpinBox*>(widget)) {
            Text(at + QStringLiteral(" (prefix)"), decimal->prefix());
            Text(at + QStringLiteral(" (suffix)"), decimal->suffix());
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i) {
                Text(at + QStringLiteral(" (tab)"), tabs->tabText(i));
            }
        } else if (auto* text = qobject_cast<QTextEdit*>(widget)) {
            Text(at, text->toPlainText());
        } else if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
            Text(at, bar->text());
        } else if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model()) {
            const QAbstractItemModel* model = view->model();
            for (int c = 0; c < model->columnCount(); ++c) {
                Text(at + QStringLiteral(" (heading)"), model->headerData(c, Qt::Horizontal).toString());
            }
            for (int r = 0; r < model->rowCount(); ++r) {
                Text(at + QStringLiteral(" (row heading)"), model->headerData(r, Qt::Vertical).toString());
                for (int c = 0; c < model->columnCount(); ++c) {
                    Text(at + QStringLiteral(" (cell)"), model->index(r, c).data().toString());
                }
            }
        }
        for (QAction* action : widget->actions()) {
            Action(action, at);
        }
        if (ours) {
            CheckFits(widget, at);
        }
    }
}

void WindowWalk::CheckFits(QWidget* widget, const QString& where)
{
    auto cut = [&](const QString& text, int needs, int has) {
        m_cut << QStringLiteral("%1: \"%2\" (needs %3, has %4)").arg(where, text).arg(needs).arg(has);
    };
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        const QString text = label->text();
        if (text.isEmpty()) {
            return;
        }
        if (label->wordWrap()) {
            const int needs = label->heightForWidth(label->width());
            if (needs > label->height()) {
                cut(text, needs, label->height());
            }
        } else if (label->sizeHint().width() > label->width()) {
            cut(text, label->sizeHint().width(), label->width());
        }
        return;
    }
    if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
        auto* button = static_cast<QAbstractButton*>(widget);
        if (!button->text().isEmpty() && button->sizeHint().width() > button->width()) {
            cut(button->text(), button->sizeHint().width(), button->width());
        }
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(widget); button && !button->text().isEmpty()) {
        // Room for the text inside the bevel: the style's button margin and the frame on either side.
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        const int needs = button->fontMetrics().horizontalAdvance(shown(button->text())) + margin + 2 * frame;
        if (needs > button->width()) {
            cut(button->text(), needs, button->width());
        }
    }
}

void WalkingPrompts::message(QWidget* parent, const QString& text, const QString& caption, Icon icon)
{
    m_walk.Text(QStringLiteral("message"), text);
    m_walk.Text(QStringLiteral("message caption"), caption);
    ScriptedPrompts::message(parent, text, caption, icon);
}

Prompts::Answer WalkingPrompts::ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                                    Answer defaultAnswer, Icon icon)
{
    m_walk.Text(QStringLiteral("question"), text);
    m_walk.Text(QStringLiteral("question caption"), caption);
    return ScriptedPrompts::ask(parent, text, caption, buttons, defaultAnswer, icon);
}

QString WalkingPrompts::openFileName(QWidget* parent, const FileRequest& request)
{
    m_walk.Text(QStringLiteral("open file caption"), request.caption);
    m_walk.Text(QStringLiteral("open file filter"), request.filter);
    return ScriptedPrompts::openFileName(parent, request);
}

QString WalkingPrompts::saveFileName(QWidget* parent, const FileRequest& request)
{
    m_walk.Text(QStringLiteral("save file caption"), request.caption);
    m_walk.Text(QStringLiteral("save file filter"), request.filter);
    return ScriptedPrompts::saveFileName(parent, request);
}

int WalkingPrompts::runDialog(QDialog& dialog)
{
    const QString className = QString::fromLatin1(dialog.metaObject()->className());
    m_walk.Dialog(dialog, className);
    // The import's settings open its editor.
    if (auto* editor = dialog.findChild<QPushButton*>(QStringLiteral("editor")); editor && editor->isEnabled()) {
        editor->click();
    }
    return ScriptedPrompts::runDialog(dialog);
}

} // namespace zembra
