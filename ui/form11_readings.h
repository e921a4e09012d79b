#pragma once

#include "files/readings_list.h"
#include "ui/ui_services.h"

#include <QWidget>

#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace qv {

// The list of readings ("Файл" → "Последние чтения…"): the readings folder's recordings, newest
// first, with their start, length, frames, comment, whether a start recovered them and their
// size, and the folder's path. Enter, a double click or "Загрузить" loads the chosen reading;
// "Открыть папку" shows the folder in the desktop's file manager; "Другой файл…" opens the open
// dialog there.
class TForm11 : public QWidget {
    Q_OBJECT
public:
    explicit TForm11(const WindowParts& parts);

    // Shows the folder as it is now (not modal), the newest reading chosen.
    void Open();
    void Refresh();

    void StringGrid1CellActivated(int row); // Enter or a double click
    void Button1Click();                    // "Загрузить"
    void Button2Click();                    // "Открыть папку"
    void Button3Click();                    // "Другой файл…"

    QLabel* Label1 = nullptr; // the folder's path
    QTableWidget* StringGrid1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

signals:
    // The recording at `path` is to be loaded, as "Загрузить" loads a file.
    void loadRequested(const QString& path);
    // Another file is to be chosen in the open dialog.
    void otherFileRequested();

private:
    void BuildControls();
    void ConnectHandlers();

    const QString folder_;
    const std::shared_ptr<Dialogs> dialogs_;
    std::vector<ReadingRow> rows_; // as shown
};

} // namespace qv
