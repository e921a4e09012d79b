#include "ui/qt_translation.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QTranslator>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(QtTranslation, QtsOwnDialogsSpeakRussian) {
    // Built into the program, so that an installed copy (on Windows too) needs no Qt folder.
    EXPECT_TRUE(QFile::exists(QStringLiteral(":/translations/qtbase_ru.qm")));
    QTranslator* translator = InstallQtTranslation(*QApplication::instance());
    ASSERT_NE(translator, nullptr);
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(files.windowTitle(), QStringLiteral("Сохранить как"));
    EXPECT_EQ(QColorDialog().windowTitle(), QStringLiteral("Выбор цвета"));
    QCoreApplication::removeTranslator(translator);
}

} // namespace
} // namespace qv
