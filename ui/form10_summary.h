#pragma once

#include "recording/recording_summary.h"
#include "ui/ui_services.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

namespace qv {

class SharedView;

// The summary window: how long the recording runs and the lowest, highest and mean of every
// parameter with the frames of the lowest and the highest, and how often each flag was set, in
// the units in force and the panel's texts. A click on the frame of a lowest or a highest value
// shows that frame. It follows the recording as it stands, the frames of a reading included, and
// the display settings; moving the frame on screen does not change it.
class TForm10 : public QWidget {
    Q_OBJECT
public:
    explicit TForm10(const WindowParts& parts);
    // It shows a reading's frames as they come; its frame links wait for the reading's end.
    static constexpr bool StaysOpenForReading = true;

    // Shows the window (not modal) and brings it to the front when it is open already.
    void Open();
    // The summary of the recording as it stands now, when the window is open.
    void Refresh();

    void StringGrid1CellClick(int row, int column); // the parameters' table
    void Button1Click();                            // "Копировать": the summary as text

    QLabel* Label1 = nullptr; // the recording's length
    QLabel* Label2 = nullptr; // "Параметры"
    QTableWidget* StringGrid1 = nullptr;
    QLabel* Label3 = nullptr; // "Флаги"
    QTableWidget* StringGrid2 = nullptr;
    QPushButton* Button1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    // The one place that connects the controls, and the shared view, to their handlers.
    void ConnectHandlers();

    ProgramState& state_;
    SharedView& view_;
    RecordingSummary summary_; // as shown
    SummaryLayout layout_;     // as shown
};

} // namespace qv
