#include "csfum.h"

#include "common/errors.h"
#include "common/numbers.h"

#include <QCoreApplication>
#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(cSfum)
};

QString tooFewShades() {
    return Tr::tr("Il numero di sfumature deve essere maggiore o uguale al numero dei colori");
}

QString tooManyColours() {
    return Tr::tr("Impossibile aggiungere un altro colore, il numero delle sfumature è uguale a "
                  "quello dei Colori.");
}

} // namespace

// --- PainterGradientTarget ---

void PainterGradientTarget::setForeColor(Colour colour) {
    m_colour = colour;
}

void PainterGradientTarget::moveTo(int x, int y) {
    m_x = x;
    m_y = y;
}

void PainterGradientTarget::lineTo(int x, int y) {
    const int x0 = m_x;
    const int y0 = m_y;
    m_x = x;
    m_y = y;
    if (!m_painter || (x0 == x && y0 == y))
        return;
    const QColor colour = toQColor(m_colour);
    // Axis-aligned lines, the only ones a gradient draws, are plain rectangles; filling them
    // keeps every pixel exact whatever the painter's pen or antialiasing.
    if (x0 == x) {
        const int top = y > y0 ? y0 : y + 1;
        m_painter->fillRect(QRect(x0, top, 1, std::abs(y - y0)), colour);
        return;
    }
    if (y0 == y) {
        const int left = x > x0 ? x0 : x + 1;
        m_painter->fillRect(QRect(left, y0, std::abs(x - x0), 1), colour);
        return;
    }
    // Any other line pixel by pixel (Bresenham), the end point left out.
    const int dx = std::abs(x - x0);
    const int dy = -std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    int err = dx + dy;
    int cx = x0;
    int cy = y0;
    while (cx != x || cy != y) {
        m_painter->fillRect(QRect(cx, cy, 1, 1), colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            cx += sx;
        }
        if (e2 <= dx) {
            err += dx;
            cy += sy;
        }
    }
}

// --- cSfum ---

cSfum::cSfum() : m_shades(255) {}

void cSfum::SetObject(GradientTarget* Oggetto) {
    m_target = Oggetto;
}

void cSfum::StampaSfumatura(qint32 Left, qint32 Top, qint32 Width, qint32 Height, qint16 Stile) {
    const qint32 length = Stile == 0 ? Width : Height;
    // A length the number of shades cannot hold is an overflow before anything is drawn.
    const std::optional<qint16> shades = toInt16(length);
    if (!shades)
        return;
    setNSfumature(*shades);
    // When the new number was refused, the table still has the old size: draw what it holds and
    // stop there instead of reading past it.
    const qint32 drawn = qMin<qint32>(length, m_nSfumature);
    if (!m_target)
        return;
    for (qint32 i = 0; i < drawn; ++i) {
        m_target->setForeColor(Sfumatura(qint16(i + 1)));
        if (Stile == 0) {
            m_target->moveTo(Left + i, Top);
            m_target->lineTo(Left + i, Top + Height);
        } else {
            m_target->moveTo(Left, Top + i);
            m_target->lineTo(Left + Width, Top + i);
        }
    }
}

qint16 cSfum::NSfumature() const {
    return m_nSfumature;
}

void cSfum::setNSfumature(qint16 value) {
    if (value < NColori()) {
        reportMessage(tooFewShades(), QStringLiteral("cSfum"));
        return;
    }
    m_nSfumature = value;
    m_shades = QList<ColoreRGB>(value);
    m_valid = false;
}

qint16 cSfum::NColori() const {
    return qint16(m_colours.size());
}

QString cSfum::barFullText() {
    return tooManyColours();
}

cSfum::AddResult cSfum::AggiungiColore(Colour Colore, float Posizione, qint16 Index) {
    if (NColori() >= m_nSfumature)
        return AddResult::BarFull;
    if (Index < 0)
        return AddResult::BadIndex;
    if (Index == 0 || Index > NColori()) {
        m_colours.append(Colore);
        m_positions.append(Posizione);
    } else {
        m_colours.insert(Index - 1, Colore);
        m_positions.insert(Index - 1, Posizione);
    }
    m_valid = false;
    return AddResult::Added;
}

void cSfum::TogliColore(qint16 Index) {
    if (Index < 1 || Index > NColori())
        return;
    m_colours.removeAt(Index - 1);
    m_positions.removeAt(Index - 1);
    m_valid = false;
}

void cSfum::Reset() {
    m_colours.clear();
    m_positions.clear();
    m_valid = false;
}

Colour cSfum::Colore(qint16 Index) const {
    if (Index < 1 || Index > NColori())
        return 0;
    return m_colours.at(Index - 1);
}

void cSfum::setColore(qint16 Index, Colour value) {
    if (Index < 1 || Index > NColori())
        return;
    const float position = m_positions.at(Index - 1);
    TogliColore(Index);
    AggiungiColore(value, position, Index);
}

float cSfum::Posizione(qint16 Index) const {
    if (Index < 1 || Index > NColori())
        return 0;
    return m_positions.at(Index - 1);
}

void cSfum::setPosizione(qint16 Index, float value) {
    if (Index < 1 || Index > NColori())
        return;
    const Colour colour = m_colours.at(Index - 1);
    TogliColore(Index);
    AggiungiColore(colour, value, Index);
}

qint16 cSfum::PosizioneAss(qint16 Index) const {
    if (Index < 1 || Index > NColori())
        return 0;
    return CalcolaPosizioneAss(m_positions.at(Index - 1));
}

Colour cSfum::Sfumatura(qint16 Index) {
    if (!m_valid)
        CalcolaSfumature();
    if (Index < 1 || Index > m_shades.size())
        return 0;
    const ColoreRGB& s = m_shades.at(Index - 1);
    return s.R + 256 * s.G + 65536 * s.B;
}

quint8 cSfum::ValoreR(Colour RGBLong) {
    return quint8(RGBLong & 255);
}

quint8 cSfum::ValoreG(Colour RGBLong) {
    return quint8((RGBLong / 256) & 255);
}

quint8 cSfum::ValoreB(Colour RGBLong) {
    return quint8((RGBLong / 65536) & 255);
}

cSfum::ColoreRGB cSfum::ScomponiColore(Colour c) {
    ColoreRGB out;
    out.R = qint16(c & 255);
    out.G = qint16((c / 256) & 255);
    out.B = qint16((c / 65536) & 255);
    return out;
}

qint16 cSfum::CalcolaPosizioneAss(float P) const {
    // Positions far outside 0..100 come only from damaged files; clamping keeps the result outside
    // the table, where the shade computation stops without writing.
    const qint32 percent = toInt16Clamped(double(P));
    const double shade = double(qint32(m_nSfumature) * percent) / 100.0;
    const qint16 result = toInt16Clamped(shade);
    return result == 0 ? qint16(1) : result;
}

void cSfum::CalcolaSfumature() {
    const qint16 n = NColori();
    if (n == 1)
        return;
    for (qint16 i = 1; i < n; ++i) {
        const qint16 p = CalcolaPosizioneAss(m_positions.at(i - 1));
        const qint16 q = CalcolaPosizioneAss(m_positions.at(i));
        // A stop outside the table ends the computation; what was written so far stays, and the
        // table is not recomputed on every read since the stops would give the same result.
        if (!SfumaIntervallo(p, q, ScomponiColore(m_colours.at(i - 1)),
                             ScomponiColore(m_colours.at(i))))
            break;
    }
    m_valid = true;
}

bool cSfum::SfumaIntervallo(qint16 p, qint16 q, ColoreRGB a, ColoreRGB b) {
    const auto inTable = [this](qint32 index) {
        return index >= 1 && index <= m_shades.size();
    };
    const qint32 n = qint32(q) - qint32(p) + 1;

    const auto step = [n](qint16 from, qint16 to) -> float {
        if (n - 1 == 0)
            return 0.0f;
        return float(double(std::abs(to - from)) / double(n - 1));
    };
    const float sR = step(a.R, b.R);
    const float sG = step(a.G, b.G);
    const float sB = step(a.B, b.B);

    const auto shadeValue = [](qint16 from, qint16 to, float s, qint32 k) -> qint16 {
        const double ks = double(k) * double(s);
        const double v = to >= from ? double(from) + ks : double(from) - ks;
        const qint16 r = toInt16Clamped(v);
        return r < 0 ? qint16(0) : r;
    };

    if (!inTable(p))
        return false;
    m_shades[p - 1] = a;
    for (qint32 k = 0; k <= n - 1; ++k) {
        if (!inTable(p + k))
            return false;
        ColoreRGB& shade = m_shades[p + k - 1];
        shade.R = shadeValue(a.R, b.R, sR, k);
        shade.G = shadeValue(a.G, b.G, sG, k);
        shade.B = shadeValue(a.B, b.B, sB, k);
    }
    if (!inTable(q))
        return false;
    m_shades[q - 1] = b;
    return true;
}
