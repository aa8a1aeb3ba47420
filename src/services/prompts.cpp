#include "services/prompts.h"
#include "services/app_identity.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "text/string_ids.h"
#include "text/strings.h"
#include "services/qt_text.h"

namespace zembra {

namespace {

std::unique_ptr<Prompts>& current()
{
    static std::unique_ptr<Prompts> prompts = std::make_unique<QtPrompts>();
    return prompts;
}

QMessageBox::Icon toQt(Prompts::Icon icon)
{
    switch (icon) {
    case Prompts::Icon::Information:
        return QMessageBox::Information;
    case Prompts::Icon::Warning:
        return QMessageBox::Warning;
    case Prompts::Icon::Error:
        return QMessageBox::Critical;
    case Prompts::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(Prompts::Answer answer)
{
    switch (answer) {
    case Prompts::Answer::Ok:
        return QMessageBox::Ok;
    case Prompts::Answer::Cancel:
        return QMessageBox::Cancel;
    case Prompts::Answer::Yes:
        return QMessageBox::Yes;
    case Prompts::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

QMessageBox::StandardButtons toQt(Prompts::Buttons buttons)
{
    switch (buttons) {
    case Prompts::Buttons::Ok:
        return QMessageBox::Ok;
    case Prompts::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompts::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompts::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QString captionOrTitle(const QString& caption)
{
    return caption.isEmpty() ? ProductName() : caption;
}

} // namespace

Prompts& prompts()
{
    return *current();
}

std::unique_ptr<Prompts> installPrompts(std::unique_ptr<Prompts> replacement)
{
    std::unique_ptr<Prompts> previous = std::move(current());
    current() = std::move(replacement);
    return previous;
}

bool confirmReplacing(QWidget* parent, const QString& path)
{
    if (!QFileInfo::exists(path)) {
        return true;
    }
    const QString question = TextOf(str::kReplaceQuestion).replace(QStringLiteral("%s"), QDir::toNativeSeparators(path));
    return prompts().ask(parent, question, QString(), Prompts::Buttons::YesNo, Prompts::Answer::No,
                         Prompts::Icon::Warning)
        == Prompts::Answer::Yes;
}

void QtPrompts::message(QWidget* parent, const QString& text, const QString& caption, Icon icon)
{
    QMessageBox box(toQt(icon), captionOrTitle(caption), text, QMessageBox::Ok, parent);
    box.exec();
}

Prompts::Answer QtPrompts::ask(QWidget* parent, const QString& text, const QString& caption, Buttons buttons,
                               Answer defaultAnswer, Icon icon)
{
    QMessageBox box(toQt(icon), captionOrTitle(caption), text, toQt(buttons), parent);
    box.setDefaultButton(toQt(defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString QtPrompts::openFileName(QWidget* parent, const FileRequest& request)
{
    QString start = request.folder;
    if (!request.fileName.isEmpty()) {
        start = request.folder.isEmpty() ? request.fileName : request.folder + '/' + request.fileName;
    }
    return QFileDialog::getOpenFileName(parent, request.caption, start, request.filter);
}

void QtPrompts::prepareSaveDialog(QFileDialog& dialog, const FileRequest& request)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // A dialog asks about the name typed, and a native one before the suffix is added: the
    // caller asks instead, about the name it really writes.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
}

QString QtPrompts::saveFileName(QWidget* parent, const FileRequest& request)
{
    QString start = request.folder;
    if (!request.fileName.isEmpty()) {
        start = request.folder.isEmpty() ? request.fileName : request.folder + '/' + request.fileName;
    }
    QFileDialog dialog(parent, request.caption, QString(), request.filter);
    prepareSaveDialog(dialog, request);
    if (!request.folder.isEmpty()) {
        dialog.setDirectory(request.folder);
    }
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.front();
}

QColor QtPrompts::chooseColour(QWidget* parent, const QColor& initial)
{
    return QColorDialog::getColor(initial, parent);
}

int QtPrompts::runDialog(QDialog& dialog)
{
    return dialog.exec();
}

void QtPrompts::beep()
{
    QApplication::beep();
}

} // namespace zembra
