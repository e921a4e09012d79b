#include "ui_test_support.h"

#include <QTemporaryDir>
#include <QTextEdit>

namespace qv::test {

namespace {

// One QApplication for the whole test program (offscreen), whose home and XDG folders are a
// folder of its own: Qt's dialogs remember their state there (QtProject.conf).
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_STATE_HOME", "XDG_RUNTIME_DIR"})
            qputenv(name, QFile::encodeName(home_.path()));
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Quintovar"));
    }
    void TearDown() override { app_.reset(); }

private:
    QTemporaryDir home_;
    std::unique_ptr<QApplication> app_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

QStringList MemoLines(const QTextEdit* memo) {
    const QString text = memo->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

} // namespace qv::test
