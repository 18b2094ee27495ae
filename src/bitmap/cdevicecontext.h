#pragma once

#include "common/colour.h"

#include <QFont>
#include <QImage>
#include <memory>

class cBitmap;

// An off-screen drawing surface into which a cBitmap is selected so that its pixels can be read
// and written one by one. Right after Create the context holds its own default surface of one
// black pixel, as a fresh memory context does; that surface is remembered at the first SetBmp so
// that FreeBmp can put it back.
class cDeviceContext {
public:
    // The colour read outside the selected surface (CLR_INVALID as a colour value).
    static constexpr Colour kInvalidColour = static_cast<Colour>(0xFFFFFFFFu);

    cDeviceContext() = default;
    ~cDeviceContext();
    cDeviceContext(const cDeviceContext&) = delete;
    cDeviceContext& operator=(const cDeviceContext&) = delete;

    // Selects the bitmap's surface. Nothing happens before Create, nor for an empty bitmap (the
    // previous surface stays selected).
    void SetBmp(const cBitmap& Bitmap);

    // Selects the remembered initial surface again (which stays remembered).
    void FreeBmp();

    // Makes a fresh context (destroying the current one first) with its default surface, the
    // font and the hollow brush.
    void Create();

    // Drops the context, its remembered initial surface, the font and the brush.
    void Destroy();

    // The selected surface, or nullptr when there is no context (the handle 0). Drawing on it
    // draws on the selected bitmap.
    QImage* hDC() const { return m_selected.get(); }
    bool isCreated() const { return m_selected != nullptr; }

    // The colour at (x, y) of the selected surface; kInvalidColour outside it or without a
    // context.
    Colour GetPixel(int x, int y) const;
    // Sets a pixel of the selected surface; false outside it or without a context.
    bool SetPixel(int x, int y, Colour c);

    // The context's font (6-pixel "MS Sans Serif" or the closest sans-serif) and brush.
    const QFont& font() const { return m_font; }
    Qt::BrushStyle brushStyle() const { return m_brushStyle; }
    bool transparentBackground() const { return m_transparentBackground; }

private:
    std::shared_ptr<QImage> m_selected; // the surface in use; null without a context
    std::shared_ptr<QImage> m_initial;  // remembered at the first successful SetBmp
    QFont m_font;
    Qt::BrushStyle m_brushStyle = Qt::SolidPattern;
    bool m_transparentBackground = false;
};
