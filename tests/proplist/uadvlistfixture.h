#pragma once

#include "proplist/uadvlist.h"
#include "skin/cskin.h"
#include "testsupport.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <memory>

// A list bound to a skin whose working folder is a private folder of the test; the surface is
// sized exactly, so every position of the row layout is known.
struct ListFixture {
    TestFolders folders;
    SkinRef skin;
    QString work; // the working folder, ending in '/'
    std::unique_ptr<uAdvList> list;

    ListFixture() {
        skin = std::make_shared<cSkin>(folders.locations());
        work = folders.workDir() + QLatin1Char('/');
        QDir().mkpath(work);
        skin->setSkinPath(work);
        list = std::make_unique<uAdvList>();
    }

    QScrollBar* scroller() const {
        return list->findChild<QScrollBar*>(QStringLiteral("Scroller"));
    }
    QWidget* surface() const { return list->surface(); }
    PropListModel* model() const { return list->model(); }

    // Resizes the control so that its drawing surface is w x h pixels.
    void setSurfaceSize(int w, int h) {
        const int bar = scroller()->sizeHint().width();
        list->resize(w + bar + 6, h + 6);
    }

    // Shows the control with the cursor in its bottom right corner; true when the window is on
    // screen. (A test's first move would not be delivered if it went to where an earlier test
    // left the cursor.)
    bool show() {
        list->show();
        if (!QTest::qWaitForWindowExposed(list.get()))
            return false;
        QTest::mouseMove(surface(), QPoint(surface()->width() - 1, surface()->height() - 1));
        return true;
    }

    QImage grab() const {
        return surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Writes a 17 x 17 bitmap file into the working folder.
    bool writeBitmap(const QString& name, const QImage& img) const {
        return img.convertToFormat(QImage::Format_RGB32).save(work + name, "BMP");
    }

    template <class T> T* child(const char* name) const {
        return list->findChild<T*>(QString::fromLatin1(name));
    }
};

// A 17 x 17 picture of one colour with distinct corner pixels.
inline QImage cornerPicture(QColor fill, QColor topLeft, QColor at15, QColor lastRowCol) {
    QImage img(17, 17, QImage::Format_RGB32);
    img.fill(fill);
    for (int i = 0; i < 17; ++i) {
        img.setPixelColor(16, i, lastRowCol);
        img.setPixelColor(i, 16, lastRowCol);
    }
    img.setPixelColor(0, 0, topLeft);
    img.setPixelColor(15, 15, at15);
    return img;
}

inline QRgb rgb(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0x00FFFFFFu;
}

inline QRgb rgb(int r, int g, int b) {
    return qRgb(r, g, b) & 0x00FFFFFFu;
}

// A picture with transparency as it shows on the white surface.
inline QImage onWhite(const QImage& icon) {
    QImage out(icon.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, icon);
    return out;
}
