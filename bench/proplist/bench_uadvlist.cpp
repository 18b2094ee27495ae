// The bundled default skin in the property list, every category expanded: a full repaint, and a
// mouse move that takes the highlight from one row to another (the partial repaint included).
//
//   bench_uadvlist [benchmark options]
//   bench_uadvlist --screenshot=PATH   saves the list with one row highlighted and exits
#include "proplist/uadvlist.h"
#include "skin/cskin.h"
#include "skin/skinschema.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// The default skin as the editor opens it, bound to a shown list with a surface of w x h.
class DefaultSkinList {
public:
    DefaultSkinList(int w, int h) {
        const Locations locations{QCoreApplication::applicationDirPath(), m_temp.path()};
        if (!m_temp.isValid() ||
            !QFileInfo(locations.skinsDir() + locations.defaultSkinName()).isFile())
            return;
        m_skin = std::make_shared<cSkin>(locations);
        m_skin->CaricaSkin(locations.defaultSkinName());
        list = std::make_unique<uAdvList>();
        loadSkinSchema(*list, m_skin);
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
