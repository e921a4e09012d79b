// The live graph window: following the frames, drawing, and the frame on screen by mouse and
// keyboard.
#include "ui/form9_live.h"
#include "acquisition/line_health.h"
#include "app/reading_session.h"
#include "ui/dialogs.h"
#include "ui/live_drawing.h"
#include "ui/render/live_picture.h"
#include "ui/shared_view.h"
#include "ui/window_basics.h"

#include <QKeyEvent>
#include <QShortcut>

namespace qv {

TForm9::TForm9(const WindowParts& parts)
    : QWidget(nullptr, Qt::Window), state_(parts.state), session_(parts.session), view_(parts.view),
      dialogs_(parts.services.dialogs), settingsPath_(parts.services.settingsPath),
      texts_(ProgramFont(11)), values_(ProgramFont(13, true)) {
    setWindowTitle(QStringLiteral("Живой график"));
    setFont(texts_.Font());
    setAttribute(Qt::WA_QuitOnClose, false);
    setMinimumSize(760, 560);
    resize(960, 600);
    // Escape closes it, as the close button does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    BuildControls();
    ConnectHandlers();
    loaded_ = LoadLiveGraphSettings(settingsPath_.toStdString());
    choices_ = loaded_.choices;
    if (loaded_.width > 0 && loaded_.height > 0) resize(loaded_.width, loaded_.height);
    FillSeriesLists();
    ShowChoices();
    Drawing->SetPicture(&picture_);
    hide();
}

TForm9::~TForm9() = default;

void TForm9::Open() {
    show();
    raise();
    activateWindow();
    Drawing->setFocus();
}

void TForm9::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    everShown_ = true;
    spanEnd_ = view_.Frame(); // the span ends at the frame on screen, or the newest one
    Changed();
}

void TForm9::Changed() {
    dirty_ = true;
    if (isVisible()) Drawing->update();
}

void TForm9::EnsureDrawn() {
    if (dirty_) DrawNow();
}

LiveSceneInput TForm9::SceneInput() {
    const bool reading = view_.Reading();
    const LineHealthTally& tally = session_.LineHealth();
    const LineHealthSummary health = tally.Summary();
    tally.Marks(1, view_.Length(), marks_);
    return LiveSceneInput{state_.store,
                          view_.Length(),
                          view_.Frame(),
                          spanEnd_,
                          !reading,
                          choices_,
                          state_.settings,
                          DecimalSeparator(),
                          marks_,
                          health.Frames > 0 ? LineHealthText(health, DecimalSeparator()) : "",
                          LineHealthHint(health),
                          Drawing->width(),
                          Drawing->height(),
                          texts_.LineHeight(),
                          texts_.Widths()};
}

void TForm9::DrawNow() {
    dirty_ = false;
    // While reading the newest frame stands at the right edge; otherwise the span moves only as
    // far as the frame on screen needs.
    spanEnd_ = view_.Reading()
                   ? view_.Length()
                   : FollowLiveSpan(choices_.span, spanEnd_, view_.Frame(), view_.Length());
    const QSize size = Drawing->size();
    if (picture_.size() != size) picture_ = QImage(size, QImage::Format_RGB32);
    BuildLiveScene(SceneInput(), scene_);
    DrawLiveScene(picture_, scene_, texts_, values_);
}

const QImage& TForm9::Picture() {
    EnsureDrawn();
    return picture_;
}

const LiveScene& TForm9::Scene() {
    EnsureDrawn();
    return scene_;
}

void TForm9::DrawingClick(int x) {
    EnsureDrawn();
    if (view_.Reading()) return;
    view_.SetFrame(LiveFrameAt(scene_.plot, scene_.span, x));
}

void TForm9::keyPressEvent(QKeyEvent* event) {
    const int frame = view_.Frame();
    int to = frame;
    switch (event->key()) {
    case Qt::Key_Left:
        to = frame - 1;
        break;
    case Qt::Key_Right:
        to = frame + 1;
        break;
    case Qt::Key_Home:
        to = 1;
        break;
    case Qt::Key_End:
        to = view_.Length();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (!view_.Reading()) view_.SetFrame(to);
}

} // namespace qv
