// The bundled default skin in the property list, every category expanded: a full repaint, a
// mouse move that takes the highlight from one row to another (the partial repaint included), a
// value change reaching the row's repaint, undo and redo of a value and of a picture, and the
// memory a history of 1,000 picture edits holds.
//
//   bench_uadvlist [benchmark options]
//   bench_uadvlist --screenshot=PATH   saves the list with one row highlighted and exits
#include "proplist/uadvlist.h"
#include "skin/cskin.h"
#include "skin/skinschema.h"

#include <QApplication>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QUndoStack>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <memory>

namespace {

// The default skin as the editor opens it, bound to a shown list with a surface of w x h.
class DefaultSkinList {
public:
    DefaultSkinList(int w, int h) {
        const Locations locations{QCoreApplication::applicationDirPath(), m_temp.path(), {}};
        if (!m_temp.isValid() ||
            !QFileInfo(locations.skinsDir() + locations.defaultSkinName()).isFile())
            return;
        m_skin = std::make_shared<cSkin>(locations);
        m_skin->CaricaSkin(locations.defaultSkinName());
        list = std::make_unique<uAdvList>();
        loadSkinSchema(*list->model(), m_skin);
        for (int c = 1; c <= list->model()->categoryCount(); ++c)
            list->model()->setExpanded(c, true);
        const int bar = list->findChild<QWidget*>(QStringLiteral("Scroller"))->sizeHint().width();
        list->resize(w + bar + 6, h + 6);
        list->show();
        QApplication::processEvents();
    }
    bool ok() const { return list != nullptr; }
    QWidget* surface() const { return list->surface(); }

    // Moves the mouse over item `item` of category `cat` and lets the list repaint.
    void hover(int cat, int item) {
        const QRect area = list->model()->item(cat, item).Area;
        const QPointF pos(area.left() + 20, area.top() + 9);
        QMouseEvent move(QEvent::MouseMove, pos, surface()->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(surface(), &move);
        QApplication::processEvents();
    }

    std::unique_ptr<uAdvList> list;

private:
    QTemporaryDir m_temp;
    SkinRef m_skin;
};

// A 17 x 17 picture of one colour, as the bitmap editor writes it.
QByteArray pictureBytes(int colour) {
    QImage picture(17, 17, QImage::Format_RGB32);
    picture.fill(QColor::fromRgb(QRgb(colour)));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes;
}

// Tall enough for the whole schema with every category open.
constexpr int kWidth = 320;
constexpr int kTallHeight = 1400;

void BM_FullRepaint(benchmark::State& state) {
    DefaultSkinList d(kWidth, kTallHeight);
    if (!d.ok()) {
        state.SkipWithError("the bundled (default).skn is not beside the program");
        return;
    }
    QImage target(d.surface()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        d.surface()->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_HighlightMove(benchmark::State& state) {
    DefaultSkinList d(kWidth, 400);
    if (!d.ok()) {
        state.SkipWithError("the bundled (default).skn is not beside the program");
        return;
    }
    bool first = true;
    for (auto _ : state) {
        // Between a colour row and a mask row of the first category.
        d.hover(1, first ? 2 : 3);
        first = !first;
    }
}
BENCHMARK(BM_HighlightMove)->Unit(benchmark::kMicrosecond);

// A value change as a dialog's "Ok" makes it, through the document to the row's repaint.
void BM_ValueChangeToRepaint(benchmark::State& state) {
    DefaultSkinList d(kWidth, kTallHeight);
    if (!d.ok()) {
        state.SkipWithError("the bundled (default).skn is not beside the program");
        return;
    }
    PropListModel* model = d.list->model();
    qint32 colour = 0;
    for (auto _ : state) {
        model->SetData(QStringLiteral("Color"), colour++ & 0xFFFFFF);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ValueChangeToRepaint)->Unit(benchmark::kMicrosecond);

// One undo and one redo of a single change (a colour, or a picture of 17 x 17), each with the
// list's repaint.
void undoRedo(benchmark::State& state, bool picture) {
    DefaultSkinList d(kWidth, kTallHeight);
    if (!d.ok()) {
        state.SkipWithError("the bundled (default).skn is not beside the program");
        return;
    }
    PropListModel* model = d.list->model();
    const QByteArray bmp = pictureBytes(0x123456);
    if (picture)
        model->setPictures(QStringLiteral("close.bmp"), QStringLiteral("close.bmp"),
                           {{QStringLiteral("close.bmp"), bmp}});
    else
        model->SetData(QStringLiteral("Color"), 0x123456);
    QUndoStack* history = model->document()->undoStack();
    for (auto _ : state) {
        history->undo();
        QApplication::processEvents();
        history->redo();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
void BM_UndoRedoValue(benchmark::State& state) {
    undoRedo(state, false);
}
void BM_UndoRedoPicture(benchmark::State& state) {
    undoRedo(state, true);
}
BENCHMARK(BM_UndoRedoValue)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedoPicture)->Unit(benchmark::kMicrosecond);

// The heap a history of 1,000 picture edits holds (each keeps the bytes before and after).
void BM_HistoryOf1000Pictures(benchmark::State& state) {
    DefaultSkinList d(kWidth, 400);
    if (!d.ok()) {
        state.SkipWithError("the bundled (default).skn is not beside the program");
        return;
    }
    PropListModel* model = d.list->model();
    double megabytes = 0;
    for (auto _ : state) {
        model->document()->undoStack()->clear();
        const size_t before = mallinfo2().uordblks;
        for (int i = 0; i < 1000; ++i)
            model->setPictures(QStringLiteral("close.bmp"), QStringLiteral("close.bmp"),
                               {{QStringLiteral("close.bmp"), pictureBytes(i)}});
        megabytes = double(mallinfo2().uordblks - before) / (1024 * 1024);
    }
    state.counters["MB"] = megabytes;
}
BENCHMARK(BM_HistoryOf1000Pictures)->Unit(benchmark::kMillisecond)->Iterations(3);

int saveScreenshot(const QString& path) {
    DefaultSkinList d(kWidth, kTallHeight);
    if (!d.ok()) {
        std::fprintf(stderr, "the bundled (default).skn is not beside the program\n");
        return 1;
    }
    // Highlight the first gradient row, wherever the schema puts it.
    PropListModel* model = d.list->model();
    int cat = 1;
    int item = 1;
    bool found = false;
    for (int c = 1; c <= model->categoryCount() && !found; ++c)
        for (int i = 1; i <= model->itemCount(c) && !found; ++i)
            if (model->item(c, i).Kind == KindGradient) {
                cat = c;
                item = i;
                found = true;
            }
    d.hover(cat, item);
    return d.list->grab().save(path) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--screenshot=", 13) == 0)
            return saveScreenshot(QString::fromLocal8Bit(argv[i] + 13));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
