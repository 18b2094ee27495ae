// The main window with the bundled default skin: what one pointer event in an open dialog costs
// until the preview pane beside the list shows it (a gradient stop dragged, a pixel painted in the
// bitmap editor), with the pane shown and hidden, and a value change reaching the pane against a
// repaint of the list in the same window.
//
//   QT_QPA_PLATFORM=offscreen bench_panes [benchmark options]
//
// The counter pane_paints says how often the pane painted per event (1 shown, 0 hidden): a run
// whose events stopped reaching the pane would otherwise look fast.
#include "app/application.h"
#include "app/frmmain.h"
#include "bitmap/frmeditor.h"
#include "gradient/frmsfum.h"
#include "gradient/ucolorsel.h"
#include "gradient/usfum.h"
#include "preview/previewpane.h"
#include "proplist/uadvlist.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* watched) { watched->installEventFilter(this); }
    long long count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// The editor's window in folders of its own, with the default skin open and the preview pane
// shown or hidden as asked.
class EditorWindow {
public:
    explicit EditorWindow(bool previewShown) {
        if (!m_program.isValid() || !m_temp.isValid() ||
            !QDir(m_program.path()).mkdir(QStringLiteral("skins")))
            return;
        const Locations locations{m_program.path(), m_temp.path(), m_temp.path(), {}, {}};
        if (!QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/skins/") +
                             locations.defaultSkinName(),
                         locations.skinsDir() + locations.defaultSkinName()))
            return;
        // The pane's visibility is remembered; a hidden pane from the previous run must not
        // decide this one.
        QSettings().clear();
        m_window = std::make_unique<frmMain>(locations);
        m_window->show();
        auto* open = m_window->findChild<QAction*>(QStringLiteral("mnuSkin0"));
        if (!open)
            return;
        open->trigger();
        if (!previewShown)
            m_window->findChild<QAction*>(QStringLiteral("mnuPreview"))->trigger();
        QCoreApplication::processEvents();
        m_paints = std::make_unique<PaintCounter>(preview());
        m_ok = m_window->skin() && preview()->isVisible() == previewShown;
    }
    ~EditorWindow() {
        // The dialogs are windows of their own, which the main window's end would leave open.
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget != m_window.get())
                widget->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_paints.reset();
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    bool ok() const { return m_ok; }
    frmMain* window() const { return m_window.get(); }
    PreviewPane* preview() const { return m_window->preview(); }
    long long panePaints() const { return m_paints->count; }

    // Opens the dialog of `key` as Enter on its row does.
    template <class Dialog> Dialog* openDialog(const QString& key) {
        m_window->list()->activateKey(key);
        QCoreApplication::processEvents();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }

    // What follows an event until the pane shows it. The pane paints within processEvents when
    // the platform delivers the update request there; the forced repaint covers the case where it
    // does not, without paying for a second paint when it did.
    void settle() {
        const long long before = panePaints();
        QCoreApplication::processEvents();
        if (preview()->isVisible() && panePaints() == before)
            preview()->repaint();
    }

private:
    QTemporaryDir m_program;
    QTemporaryDir m_temp;
    std::unique_ptr<frmMain> m_window;
    std::unique_ptr<PaintCounter> m_paints;
    bool m_ok = false;
};

void sendMouse(QWidget* target, QEvent::Type type, QPointF local, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, local, target->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

bool previewShown(const benchmark::State& state) {
    return state.range(0) != 0;
}

#define NEED(condition, why)                                                                       \
    if (!(condition)) {                                                                            \
        state.SkipWithError(why);                                                                  \
        return;                                                                                    \
    }

// One step of dragging an inner stop of "Capt" in its gradient dialog: the pointer moves a pixel
// along the bar, between the stop's neighbours so that no stop is made or merged.
void BM_GradientStopDrag(benchmark::State& state) {
    EditorWindow w(previewShown(state));
    NEED(w.ok(), "the default skin did not open beside the program's bundled (default).skn")
    auto* dialog = w.openDialog<frmSfum>(QStringLiteral("Capt"));
    NEED(dialog && dialog->isVisible(), "\"Capt\" opened no gradient dialog")
    uSfum* sfum = dialog->editor();
    const bool horizontal = sfum->Orientation() == 0;
    const auto along = [&](QPointF p) {
        return horizontal ? p.x() : p.y();
    };
    const auto at = [&](double a, double cross) {
        return horizontal ? QPointF(a, cross) : QPointF(cross, a);
    };

    // The pointer presses the marker at its middle, so that the marker's middle follows it.
    const int firstPress = sfum->NColori() >= 3 ? 2 : 1;
    QWidget* pressed = sfum->imgFreccia(firstPress);
    NEED(pressed, "the gradient has no marker to press")
    const QPointF grab(pressed->width() / 2, pressed->height() / 2);
    const double cross =
        horizontal ? pressed->geometry().center().y() : pressed->geometry().center().x();
    sendMouse(pressed, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    if (firstPress == 1) {
        // Two stops only: dragging the first end into the bar makes the inner stop to drag.
        const double middle = along(QRectF(sfum->barRect()).center());
        sendMouse(sfum, QEvent::MouseMove, at(middle, cross), Qt::NoButton, Qt::LeftButton);
    }
    w.settle();
    const qint16 stops = sfum->NColori();
    NEED(stops >= 3 && sfum->draggedStop() == 2, "no inner stop is being dragged")

    // Between the middles of the neighbours' markers, kept clear of both, and clear of the bar's
    // first and last pixels, where a step would make nothing happen or merge the stop into an end.
    const QRect bar = sfum->barRect();
    const double barStart = horizontal ? bar.left() : bar.top();
    const double barEnd = horizontal ? bar.right() : bar.bottom();
    const double low =
        std::max(along(QRectF(sfum->imgFreccia(1)->geometry()).center()) + 10, barStart + 8);
    const double high =
        std::min(along(QRectF(sfum->imgFreccia(3)->geometry()).center()) - 10, barEnd - 8);
    const int span = int(high - low);
    NEED(span >= 2, "the stop has no room to move between its neighbours")

    long long changes = 0;
    const auto counting = QObject::connect(sfum, &uSfum::Change, [&changes] { ++changes; });
    const long long paintsBefore = w.panePaints();
    int step = 0;
    for (auto _ : state) {
        // Back and forth over the room, a pixel per event.
        const int k = step++ % (2 * span);
        const double a = low + (k < span ? k : 2 * span - k);
        sendMouse(sfum, QEvent::MouseMove, at(a, cross), Qt::NoButton, Qt::LeftButton);
        w.settle();
    }
    // The window outlives `changes`, and may still change the stops as it closes.
    QObject::disconnect(counting);
    state.counters["pane_paints"] = benchmark::Counter(double(w.panePaints() - paintsBefore),
                                                       benchmark::Counter::kAvgIterations);
    state.counters["changes"] =
        benchmark::Counter(double(changes), benchmark::Counter::kAvgIterations);
    if (sfum->NColori() != stops)
        state.SkipWithError("the drag made or merged a stop");
}
BENCHMARK(BM_GradientStopDrag)->ArgName("preview")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// One pixel of a pencil stroke in the bitmap editor of "max.bmp": each event paints one cell in
// the colour it does not have yet (strokes of the left button and of the right one take turns
// over the whole picture, a stroke's first cell painted by its press).
void BM_BitmapStrokeStep(benchmark::State& state) {
    EditorWindow w(previewShown(state));
    NEED(w.ok(), "the default skin did not open beside the program's bundled (default).skn")
    auto* dialog = w.openDialog<frmEditor>(QStringLiteral("max.bmp"));
    NEED(dialog && dialog->isVisible(), "\"max.bmp\" opened no bitmap editor")
    uEditor* editor = dialog->editor();
    NEED(editor->hasGrid() && editor->tool() == uEditor::Tool::Pencil,
         "the bitmap editor has no picture under its pencil")
    if (editor->RightColor() == editor->LeftColor())
        editor->setRightColor(editor->LeftColor() ^ 0xFFFFFF);

    const int cells = editor->W() * editor->H();
    const auto centre = [&](int i) {
        // A snake, so that every step of a stroke goes to a neighbouring cell.
        const int y = i / editor->W();
        const int x = y % 2 == 0 ? i % editor->W() : editor->W() - 1 - i % editor->W();
        return QRectF(editor->cellRect(x, y)).center();
    };
    // One stroke of each button over the whole picture.
    const auto stroke = [&](Qt::MouseButton button, int i) {
        if (i == 0) {
            sendMouse(editor, QEvent::MouseButtonPress, centre(0), button, button);
        } else {
            sendMouse(editor, QEvent::MouseMove, centre(i), Qt::NoButton, button);
        }
        if (i == cells - 1)
            sendMouse(editor, QEvent::MouseButtonRelease, centre(i), button, Qt::NoButton);
    };
    // Every cell in the left colour first, so that each timed event changes a pixel.
    for (int i = 0; i < cells; ++i)
        stroke(Qt::LeftButton, i);
    w.settle();

    long long drawn = 0;
    const auto counting = QObject::connect(editor, &uEditor::Drawn, [&drawn] { ++drawn; });
    const long long paintsBefore = w.panePaints();
    long long step = 0;
    for (auto _ : state) {
        const int i = int(step % cells);
        stroke((step / cells) % 2 == 0 ? Qt::RightButton : Qt::LeftButton, i);
        ++step;
        w.settle();
    }
    QObject::disconnect(counting);
    state.counters["pane_paints"] = benchmark::Counter(double(w.panePaints() - paintsBefore),
                                                       benchmark::Counter::kAvgIterations);
    state.counters["drawn"] = benchmark::Counter(double(drawn), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_BitmapStrokeStep)->ArgName("preview")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// A dialog's "Ok" on "Menu_Back", through the document to the list and the repainted pane.
void BM_ValueChangeToPane(benchmark::State& state) {
    EditorWindow w(previewShown(state));
    NEED(w.ok(), "the default skin did not open beside the program's bundled (default).skn")
    PropListModel* model = w.window()->list()->model();
    const long long paintsBefore = w.panePaints();
    qint32 colour = 0;
    for (auto _ : state) {
        model->SetData(QStringLiteral("Menu_Back"), colour++ & 0xFFFFFF);
        w.settle();
    }
    state.counters["pane_paints"] = benchmark::Counter(double(w.panePaints() - paintsBefore),
                                                       benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ValueChangeToPane)->ArgName("preview")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// The baseline: the list as the window shows it, painted again in full.
void BM_ListRepaint(benchmark::State& state) {
    EditorWindow w(true);
    NEED(w.ok(), "the default skin did not open beside the program's bundled (default).skn")
    QWidget* surface = w.window()->list()->surface();
    for (auto _ : state)
        surface->repaint();
}
BENCHMARK(BM_ListRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The window remembers the pane's visibility and the recent skins: kept out of the user's
    // settings.
    QStandardPaths::setTestModeEnabled(true);
    registerValueDialogs();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
