#pragma once

#include "app/program_state.h"
#include "app/run_front.h"
#include "recording/panel.h"
#include "ui/ui_services.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QTextEdit;
class QTimer;

namespace qv {

class InputBlocker;
class MouseButton;
class OtherWindows;
class ReadingSession;
class ReceiverLink;
class SharedView;
class TForm7;
class TForm8;
class TForm9;
class TForm11;

// The main window: port box, start/stop, the parameter panel, the information field, the frame
// scroll bar, the frame markers, the extra columns and the menu. It shows the runs of reading
// it starts (RunFront).
class TForm1 : public QMainWindow, private RunFront {
    Q_OBJECT
public:
    // Runs the creation handler TxRxrmCreate; the other windows do not exist yet. `view` holds
    // the recording's length and the frame on screen that this window shares with the others.
    TForm1(ProgramState& state, ReadingSession& session, SharedView& view, UiServices services);
    ~TForm1() override;

    // The windows created after this one (ui/other_windows.h): each is attached in turn.
    void AttachWindows(const OtherWindows& windows);
    void Attach(TForm7& big);
    void Attach(TForm8& cable);
    void Attach(TForm9& live);
    void Attach(TForm11& readings);
    void Attach(QWidget&) {} // a window that asks nothing of this one

    UiServices& Services() { return services_; }

    // Client width; the outer width that the layout rules use is this plus 6.
    int ClientWidth() const;
    static constexpr int ClientHeight = 549;
    static constexpr int FrameAllowance = 6;

    // --- Shared routines -----------------------------------------------------------------
    void MemoDraw(int n);
    void SetReadingStopped(bool stopped);
    void ApplyDisplaySettings();
    void ApplyExtraViews();
    bool SaveRecording(); // true when a file was written
    void LoadRecording(const QString& fileName);
    void LoadSettings();
    bool SaveSettings(); // false when the file could not be written (reported already)
    // The recording's length and the frame on screen.
    int RecordingLength() const;
    int FramePosition() const;

    // --- Handlers ------------------------------------------------------------------------
    void TxRxrmCreate();
    void ChooseLastPort();
    void ComboBox1Change();
    void Button1Click();
    void Button5Click();
    void Button6Click();
    void ScrollBar1Change();
    void FormResize();
    void FormClose();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void Timer4Timer();
    void BitBtnMouseDown(int index, Qt::MouseButton button); // BitBtn1MouseDown..BitBtn10MouseDown
    void SampleButtonMouseDown(int column, Qt::MouseButton button); // Button2..Button4MouseDown
    // Marker `index` (1..10) remembers `caption`, which its button shows: a frame number, "0"
    // for none, anything else only from a damaged file.
    void SetMarker(int index, const std::string& caption);
    // Menu "Файл"
    void N2Click();
    void RecentReadingsClick(); // "Последние чтения…": the list of readings
    void N3Click();
    void N28Click();
    void N4Click();
    // Menu "Настройки": an item of a unit submenu sets that parameter's choice to `value`.
    void UnitItemClick(int parameter, int value);
    void N3S1Click();
    void N14Click();
    void N24Click();
    void N27Click();
    void N25Click();
    void N32Click();
    // Menu "Дополнител."
    void N8Click();
    void N12Click();
    void N13Click();
    void N31Click();
    void SummaryItemClick();
    // Menu "Справка"
    void N26Click();
    void N9Click();

    // No frame for QuietLineMs while reading: the information field says so.
    void QuietLineTimeout();
    // The readings folder's notices (a reading not kept, kept again, not folded): they do not
    // wait.
    void KeeperNoticeQueued(const QString& text);
    // The start completed unfinished readings: `text` says so in the information field, and
    // `details` names them in its hint.
    void ReadingsRecoveredQueued(const QString& text, const QString& details);
    // The latest reading is the recording `path`: the information field's hint says so.
    void ReadingKeptQueued(const QString& path);

    // The timing check's report, shown by Timer3Timer.
    QString TimingReport;

    // --- Controls --------------------------------------------------------------------------
    QWidget* Client = nullptr; // the client area below the menu bar
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    MouseButton* Button2 = nullptr;
    MouseButton* Button3 = nullptr;
    MouseButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QTextEdit* Memo1 = nullptr;
    QTextEdit* Memo2 = nullptr;
    QTextEdit* Memo3 = nullptr;
    QTextEdit* Memo4 = nullptr;
    QTextEdit* Memo5 = nullptr;
    QTextEdit* Memo6 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    std::array<MouseButton*, 10> BitBtn{}; // BitBtn[0] is BitBtn1
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;
    // Restarted by every frame while reading; runs out when the line has gone quiet.
    QTimer* QuietTimer = nullptr;

    // --- Menu --------------------------------------------------------------------------------
    QMenu* N1 = nullptr; // "Файл"
    QAction *N2 = nullptr, *N3 = nullptr, *RecentReadings = nullptr, *N28 = nullptr, *N29 = nullptr,
            *N4 = nullptr;
    QMenu* N19 = nullptr; // "Настройки"
    // The unit submenus, as UnitMenus() lists them; each item's data is its choice's number.
    struct UnitSubmenu {
        int parameter = 0;
        QMenu* menu = nullptr;
        QActionGroup* items = nullptr;
    };
    std::vector<UnitSubmenu> UnitSubmenus;
    // The item that sets `parameter` to `value`; nullptr when there is none.
    QAction* UnitItem(int parameter, int value) const;
    QMenu* PresetMenu = nullptr;
    QAction *N3S1 = nullptr, *N1GGTE1 = nullptr, *N1JZGTE1 = nullptr;
    QAction *N18 = nullptr, *N14 = nullptr, *N24 = nullptr, *N27 = nullptr;
    QAction *N30 = nullptr, *N25 = nullptr, *N32 = nullptr;
    QMenu* N5 = nullptr; // "Дополнител."
    // "Сводка", below the items of the next line.
    QAction* SummaryItem = nullptr;
    QAction *N8 = nullptr, *N12 = nullptr, *N13 = nullptr, *N31 = nullptr;
    // "Живой график", never locked.
    QAction* LiveGraphItem = nullptr;
    QMenu* N6 = nullptr; // "Справка"
    QAction *N26 = nullptr, *N9 = nullptr;

signals:
    // The close sequence has finished; the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    void BuildMenu();
    // The one place that connects this window's controls, and the shared view, to its handlers.
    void ConnectHandlers();
    void SetInfo(const QString& text);
    // The information field's hint, with `more` on a line below its own text.
    void SetInfoHint(const QString& more);
    // What a run of reading shows (RunFront): the receiver's news comes as queued calls.
    void Post(std::function<void()> task) override;
    void FrameHandedOver() override;
    void LineRead(AcquisitionMode mode, ThreadPriorityLevel priority) override;
    void RunEnded(const RunEnding& ending) override;
    // Waits for the worker threads this window started: the receiver and the timing check.
    void JoinThreads();
    // A committed frame becomes the recording's last frame and is shown.
    void ShowCommittedFrame(int n);
    // After a committed frame while reading: the reading notice again, with the dropped count.
    void ShowReadingNotice();
    void Wait(int milliseconds);
    QStringList CommentLines() const;
    // The file dialogs start in the folder of the last file loaded or saved in this run, at
    // first in the user's documents folder.
    QString DialogFolder() const;
    // Loads the file the open dialog picks in `folder` (empty: the dialogs' usual folder); false
    // when none was picked.
    bool LoadChosenRecording(const QString& folder);
    // The list of readings asks to load a reading, or to pick another file in the open dialog
    // (form1_readings_link.cpp).
    void LoadKeptReading(const QString& path);
    void LoadOtherReading();
    void RememberFolderOf(const QString& fileName);
    QTextEdit* SampleMemo(int column) const;

    // --- What no file holds yet (form1_unsaved.cpp) -----------------------------------------
    // What a recording file keeps besides the frames, as the window holds it now.
    struct FileContents {
        std::array<std::string, 10> markers;
        std::array<QStringList, 3> samples;
        QStringList comment;
        bool operator==(const FileContents&) const = default;
    };
    FileContents ContentsNow() const;
    // The recording in memory is now what a file holds (loaded, saved), or a new reading's.
    void RecordingInFile(bool newReading);
    // Before what would drop the recording in memory: when it holds what no file has (a changed
    // comment, marker or sample column, a deleted frame, a reading not wholly on disk), asks
    // "Сохранить изменения в записи?". False when the user keeps it: "Отмена", or "Да" and
    // the save did not happen.
    bool SaveChangesFirst();

    // --- Operations of the other windows, run when they are open ---------------------------
    // Window W of the others (ui/other_windows.h); null before they are attached.
    template <class W> W* Other() const;
    void CloseWindowsForReading();
    void BigFontRefresh(int n, const PanelLines& lines);
    void GraphAfterDelete(int oldLength, int newLength);
    bool GraphPlaybackStep();
    void GraphCursorToMainFrame();
    void GraphRestartAfterLoad();
    void ShowGraph();
    void FillSeriesLists();
    void RefreshGraphLists();
    void ReleasePictures();

    ProgramState& state_;
    ReadingSession& session_;
    SharedView& view_;
    UiServices services_;
    const OtherWindows* windows_ = nullptr;
    std::shared_ptr<ReceiverLink> receiverLink_;
    // The markers' captions (BitBtn1..BitBtn10 show them) and the panel's value lines as Memo2
    // shows them, which the sample buttons copy.
    std::array<std::string, 10> markers_;
    QStringList shownValues_;
    SaveFileType lastSaveType_ = SaveFileType::Recording; // the save dialog offers it first
    QString lastFileFolder_; // empty until a file was named in this run
    // The first tick of Timer1 commits the all-zero start-up frame.
    bool startUpCommitPending_ = true;
    // What the user last typed into the port box, until the box confirms it.
    std::optional<QString> portTextTyped_;
    // The port a reading last started from, kept in the settings file ("LastPort").
    QString lastPort_;
    bool closing_ = false;
    // The latest timing check's thread (see N25Click).
    std::thread timingCheck_;
    // The hand-over's dropped-frame count when reading started.
    std::uint64_t droppedBefore_ = 0;
    bool priorityNoticeShown_ = false;
    std::unique_ptr<InputBlocker> closingInputBlock_; // from the start of the close on
    bool closeDone_ = false;
    FileContents inFile_;          // as the recording's file (or its new reading) has them
    bool framesDeleted_ = false;   // since the recording was loaded, saved or read
    bool readingInMemory_ = false; // the recording is a reading, kept by the readings folder
    bool askingToSave_ = false;
};

} // namespace qv
