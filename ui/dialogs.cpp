#include "ui/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

namespace qv {

namespace {

const QString RecordingFilter = QStringLiteral("Quintovar 1.0 (*.kvr)");

// The save dialog's types, in the order it lists them.
struct SaveType {
    SaveFileType type;
    QString filter;
    QString suffix;
};
const SaveType SaveTypes[] = {
    {SaveFileType::Recording, RecordingFilter, QStringLiteral("kvr")},
    {SaveFileType::Csv, QStringLiteral("Excel (*.csv)"), QStringLiteral("csv")},
    {SaveFileType::ValueTable, QStringLiteral("Таблица значений (*.csv)"), QStringLiteral("csv")},
};

const SaveType& SaveTypeOf(const QString& filter) {
    for (const SaveType& type : SaveTypes)
        if (type.filter == filter) return type;
    return SaveTypes[0];
}

const SaveType& SaveTypeOf(SaveFileType wanted) {
    for (const SaveType& type : SaveTypes)
        if (type.type == wanted) return type;
    return SaveTypes[0];
}

} // namespace

void Dialogs::Message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

void Dialogs::Error(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox::critical(parent, caption, text);
}

void Dialogs::Notice(QWidget* parent, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Information, QApplication::applicationName(), text,
                                QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

SaveAnswer Dialogs::AskSaveChanges(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Отмена"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes)) return SaveAnswer::Yes;
    if (box.clickedButton() == box.button(QMessageBox::No)) return SaveAnswer::No;
    return SaveAnswer::Cancel;
}

std::optional<SaveChoice> Dialogs::AskSaveFile(QWidget* parent, SaveFileType preferred,
                                               const QString& folder) {
    QFileDialog dialog(parent, QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const SaveType& type : SaveTypes) filters << type.filter;
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(SaveTypeOf(preferred).suffix);
    dialog.selectNameFilter(SaveTypeOf(preferred).filter);
    // The extension follows the chosen type while the dialog is open.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(SaveTypeOf(filter).suffix); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    SaveChoice choice;
    // Qt gives "/" as the separator everywhere; messages show the path as the system writes it.
    choice.fileName = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    choice.type = SaveTypeOf(dialog.selectedNameFilter()).type;
    return choice;
}

std::optional<QString> Dialogs::AskSavePicture(QWidget* parent) {
    QFileDialog dialog(parent, QString(),
                       QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("PNG (*.png)")});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> Dialogs::AskOpenFile(QWidget* parent, const QString& folder) {
    QFileDialog dialog(parent, QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({RecordingFilter});
    dialog.setDefaultSuffix("kvr");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QColor> Dialogs::AskColour(QWidget* parent, const QColor& initial) {
    QColorDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedColor();
}

} // namespace qv
