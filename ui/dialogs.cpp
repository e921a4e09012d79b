#include "ui/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace qv {

namespace {
const QString RecordingFilter = QStringLiteral("Quintovar 1.0 (*.kvr)");
const QString CsvFilter = QStringLiteral("Excel (*.csv)");
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

std::optional<SaveChoice> Dialogs::AskSaveFile(QWidget* parent, const QString& defaultSuffix,
                                               const QString& folder) {
    QFileDialog dialog(parent, QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({RecordingFilter, CsvFilter});
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectNameFilter(defaultSuffix == QLatin1String("csv") ? CsvFilter : RecordingFilter);
    // The extension follows the chosen type while the dialog is open.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         dialog.setDefaultSuffix(filter == CsvFilter ? "csv" : "kvr");
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    SaveChoice choice;
    // Qt gives "/" as the separator everywhere; messages show the path as the system writes it.
    choice.fileName = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    choice.type =
        dialog.selectedNameFilter() == CsvFilter ? SaveFileType::Csv : SaveFileType::Recording;
    return choice;
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
