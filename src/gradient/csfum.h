#pragma once

#include "common/colour.h"

#include <QList>
#include <QString>
#include <QtGlobal>

class QPainter;

// What a gradient draws on: a foreground colour and lines that leave out their end point.
class GradientTarget {
public:
    virtual ~GradientTarget() = default;
    virtual void setForeColor(Colour colour) = 0;
    virtual void moveTo(int x, int y) = 0;
    // A line from the current position to (x, y), end point excluded; the position moves there.
    virtual void lineTo(int x, int y) = 0;
};

// A GradientTarget over a QPainter (on a QImage or a widget).
class PainterGradientTarget : public GradientTarget {
public:
    explicit PainterGradientTarget(QPainter* painter) : m_painter(painter) {}
    void setForeColor(Colour colour) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;

private:
    QPainter* m_painter;
    Colour m_colour = 0;
    int m_x = 0;
    int m_y = 0;
};

// A multi-stop colour gradient: stops (colour and position in percent, numbered from 1), a
// number of shades, and the lazily computed table of shades.
//
// Indexes outside the stops or the shades never touch memory outside the lists: reads give 0 and
// writes do nothing.
class cSfum {
public:
    cSfum();

    void SetObject(GradientTarget* Oggetto);
    void StampaSfumatura(qint32 Left, qint32 Top, qint32 Width, qint32 Height, qint16 Stile);

    qint16 NSfumature() const;
    // Refused, with a message, below the number of stops.
    void setNSfumature(qint16 value);
    qint16 NColori() const;

    enum class AddResult { Added, BarFull, BadIndex };
    // Refused (BarFull) when the stops already fill the shades; the caller tells the user with
    // barFullText(). Index 0 or past the stops appends; otherwise the stop is inserted at Index;
    // a negative Index adds nothing.
    AddResult AggiungiColore(Colour Colore, float Posizione, qint16 Index = 0);
    static QString barFullText();
    void TogliColore(qint16 Index);
    void Reset();

    Colour Colore(qint16 Index) const;
    void setColore(qint16 Index, Colour value);
    float Posizione(qint16 Index) const;
    void setPosizione(qint16 Index, float value);
    qint16 PosizioneAss(qint16 Index) const;

    // Shade Index (1..NSfumature); computes the table first when it is out of date.
    Colour Sfumatura(qint16 Index);

    static quint8 ValoreR(Colour RGBLong);
    static quint8 ValoreG(Colour RGBLong);
    static quint8 ValoreB(Colour RGBLong);

private:
    struct ColoreRGB {
        qint16 R = 0;
        qint16 G = 0;
        qint16 B = 0;
    };
    static ColoreRGB ScomponiColore(Colour c);
    qint16 CalcolaPosizioneAss(float P) const;
    void CalcolaSfumature();
    bool SfumaIntervallo(qint16 p, qint16 q, ColoreRGB a, ColoreRGB b);

    QList<ColoreRGB> m_shades; // index 0 is shade 1
    QList<Colour> m_colours;
    QList<float> m_positions;
    qint16 m_nSfumature = 255;
    bool m_valid = false;
    GradientTarget* m_target = nullptr;
};
