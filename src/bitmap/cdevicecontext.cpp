#include "bitmap/cdevicecontext.h"

#include "bitmap/cbitmap.h"

#include <utility>

cDeviceContext::~cDeviceContext() {
    Destroy();
}

void cDeviceContext::SetBmp(const cBitmap& Bitmap) {
    if (!m_selected || !Bitmap.hBmp())
        return;
    std::shared_ptr<QImage> previous = std::exchange(m_selected, Bitmap.hBmp());
    if (!m_initial)
        m_initial = std::move(previous);
}

void cDeviceContext::FreeBmp() {
    if (m_selected && m_initial)
        m_selected = m_initial;
}

void cDeviceContext::Create() {
    Destroy();
    auto surface = std::make_shared<QImage>(1, 1, QImage::Format_RGB32);
    surface->fill(Qt::black);
    m_selected = std::move(surface);
    m_brushStyle = Qt::NoBrush;
    m_font = QFont(QStringLiteral("MS Sans Serif"));
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setPixelSize(6);
    m_font.setWeight(QFont::Thin);
    m_transparentBackground = true;
}

void cDeviceContext::Destroy() {
    if (!m_selected)
        return;
    m_selected.reset();
    m_initial.reset();
    m_font = QFont();
    m_brushStyle = Qt::SolidPattern;
    m_transparentBackground = false;
}

Colour cDeviceContext::GetPixel(int x, int y) const {
    if (!m_selected || !m_selected->valid(x, y))
        return kInvalidColour;
    return fromQRgb(m_selected->pixel(x, y));
}

bool cDeviceContext::SetPixel(int x, int y, Colour c) {
    if (!m_selected || !m_selected->valid(x, y))
        return false;
    m_selected->setPixel(x, y, toQRgb(c));
    return true;
}
