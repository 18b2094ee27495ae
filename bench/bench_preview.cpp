// The preview of the bundled default skin: one render at 480 x 360 against a full repaint of the
// property list in the same run (the list's benchmark set-up), a value change reaching the
// repainted pane, and a dialog's pending value (one step of a drag) reaching it.
//
//   QT_QPA_PLATFORM=offscreen bench_preview [benchmark options]
#include "preview/previewpane.h"
#include "proplist/uadvlist.h"
#include "skin/skinschema.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The default skin as the editor opens it: a document, the list bound to it, every category of
// the list expanded, and the pane beside it.
class DefaultSkin {
public:
    DefaultSkin() {
        Locations locations;
        locations.programDir = QCoreApplication::applicationDirPath();
        locations.tempDir = m_temp.path();
        if (!m_temp.isValid() ||
            !QFileInfo(locations.skinsDir() + locations.defaultSkinName()).isFile())
            return;
        document = std::make_shared<SkinDocument>(nullptr);
        if (!document->open(locations, locations.defaultSkinName()).ok)
            return;
        list = std::make_unique<uAdvList>();
        list->model()->setDocument(document);
        SkinRef skin = document->skin();
        loadSkinSchema(*list->model(), skin);
        for (int c = 1; c <= list->model()->categoryCount(); ++c)
            list->model()->setExpanded(c, true);
        list->resize(330, 1406);
        list->show();
        pane = std::make_unique<PreviewPane>();
        pane->setDocument(document.get());
        pane->resize(PreviewRenderer::kDefaultSize);
        pane->show();
        QApplication::processEvents();
    }
    bool ok() const { return pane != nullptr; }

    std::shared_ptr<SkinDocument> document;
    std::unique_ptr<uAdvList> list;
    std::unique_ptr<PreviewPane> pane;

private:
    QTemporaryDir m_temp;
};

#define NEED_SKIN(d)                                                                               \
    if (!(d).ok()) {                                                                               \
        state.SkipWithError("the bundled (default).skn is not beside the program");                \
        return;                                                                                    \
    }

void BM_ListFullRepaint(benchmark::State& state) {
    DefaultSkin d;
    NEED_SKIN(d)
    QImage target(d.list->surface()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        d.list->surface()->render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_ListFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_RenderDefaultSkin(benchmark::State& state) {
    DefaultSkin d;
    NEED_SKIN(d)
    PreviewRenderer renderer;
    QImage target(PreviewRenderer::kDefaultSize, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&target);
        benchmark::DoNotOptimize(renderer.render(p, *d.document, target.size()));
    }
}
BENCHMARK(BM_RenderDefaultSkin)->Unit(benchmark::kMicrosecond);

// A dialog's "Ok" through the document to the pane painted again.
void BM_ValueChangeToPane(benchmark::State& state) {
    DefaultSkin d;
    NEED_SKIN(d)
    qint32 colour = 0;
    for (auto _ : state) {
        d.document->apply({QStringLiteral("Sfondo dei menu"),
                           {{QStringLiteral("Menu_Back"), colour++ & 0xFFFFFF}},
                           {}});
        d.pane->repaint();
    }
}
BENCHMARK(BM_ValueChangeToPane)->Unit(benchmark::kMicrosecond);

// One step of dragging a gradient stop: the pending stops laid over the document, the pane
// painted again.
void BM_PendingStopToPane(benchmark::State& state) {
    DefaultSkin d;
    NEED_SKIN(d)
    int position = 0;
    for (auto _ : state) {
        PreviewOverlay pending;
        pending.setValue(QStringLiteral("Capt_Pos<2>"), position++ % 100);
        d.pane->setOverlay(pending);
        d.pane->repaint();
    }
}
BENCHMARK(BM_PendingStopToPane)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
