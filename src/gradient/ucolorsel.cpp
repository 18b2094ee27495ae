#include "ucolorsel.h"

#include "common/numbers.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <optional>

namespace colorsel_detail {

// A plain coloured area with a thin border; a click on it is reported. Tab reaches it, without a
// click taking the focus from a text box, and Space or Enter then click it.
class Swatch : public QWidget {
    Q_OBJECT
public:
    explicit Swatch(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::TabFocus); }

    Colour colour() const { return m_colour; }
    void setColour(Colour c) {
        if (c == m_colour)
            return;
        m_colour = c;
        update();
    }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.fillRect(rect().adjusted(1, 1, -1, -1), toQColor(m_colour));
        if (hasFocus()) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = rect().adjusted(3, 3, -3, -3);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
        }
    }
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)
            Q_EMIT clicked();
        else
            QWidget::keyPressEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_pressed = true;
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const bool click =
            m_pressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
        m_pressed = false;
        if (click)
            Q_EMIT clicked();
    }

private:
    Colour m_colour = 0;
    bool m_pressed = false;
};

} // namespace colorsel_detail

using colorsel_detail::Swatch;

namespace {

constexpr int kBarLeft = 15;
constexpr int kBarHeight = 14;
constexpr int kTextWidth = 26;
constexpr int kLabelLeft = 5;
constexpr int kLabelWidth = 11;
constexpr int kSwatchHeight = 20;

// A component typed as a decimal number, fractions rounded half to even; nothing when the text is
// not such a number or does not fit 16 bits.
std::optional<qint16> componentFromText(const QString& text) {
    static const QRegularExpression decimal(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!decimal.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return toInt16(value);
}

} // namespace

uColorSel::uColorSel(QWidget* parent) : QWidget(parent) {
    const char* names[3] = {"R", "G", "B"};
    QFont small = font();
    small.setPixelSize(11);
    for (int i = 0; i < 3; ++i) {
        Row& row = m_rows[i];
        const QString name = QString::fromLatin1(names[i]);
        row.label = new QLabel(name, this);
        row.label->setObjectName(QStringLiteral("lbl") + name);
        row.label->setFont(small);
        row.bar = new QScrollBar(Qt::Horizontal, this);
        row.bar->setObjectName(name);
        row.bar->setRange(0, 255);
        // Tab reaches the bar (its arrows then move it); a click leaves the focus where it was.
        row.bar->setFocusPolicy(Qt::TabFocus);
        row.bar->setPageStep(16);
        row.bar->setValue(0);
        row.text = new QLineEdit(QStringLiteral("0"), this);
        row.text->setObjectName(QStringLiteral("txt") + name);
        row.text->setFont(small);
        row.text->setStyleSheet(
            QStringLiteral("QLineEdit { border: 1px solid #808080; padding: 0px; margin: 0px; }"));
        row.label->setGeometry(kLabelLeft, 0, kLabelWidth, kBarHeight);
        row.bar->setGeometry(kBarLeft, 0, 100, kBarHeight);
        row.text->setGeometry(120, 0, kTextWidth, kBarHeight);
        // The handlers find their row by position: the rows never move in the array.
        const Row* r = &m_rows[i];
        connect(row.bar, &QScrollBar::valueChanged, this,
                [this, r](int value) { barChanged(*r, value); });
        connect(row.text, &QLineEdit::textChanged, this,
                [this, r](const QString& text) { textChanged(*r, text); });
    }
    m_shpLast = new Swatch(this);
    m_shpLast->setObjectName(QStringLiteral("shpLast"));
    m_shpLast->setGeometry(3, 0, 100, kSwatchHeight);
    m_shpNew = new Swatch(this);
    m_shpNew->setObjectName(QStringLiteral("shpNew"));
    m_shpNew->setGeometry(103, 0, 100, kSwatchHeight);
    connect(m_shpLast, &Swatch::clicked, this, [this] { ImpostaColore(m_shpLast->colour()); });
    connect(m_shpNew, &Swatch::clicked, this, &uColorSel::Click);
    resize(sizeHint());
    layoutChildren();
}

quint8 uColorSel::ValueR() const {
    return quint8(m_rows[0].bar->value());
}
void uColorSel::setValueR(quint8 value) {
    m_rows[0].bar->setValue(value);
}
quint8 uColorSel::ValueG() const {
    return quint8(m_rows[1].bar->value());
}
void uColorSel::setValueG(quint8 value) {
    m_rows[1].bar->setValue(value);
}
quint8 uColorSel::ValueB() const {
    return quint8(m_rows[2].bar->value());
}
void uColorSel::setValueB(quint8 value) {
    m_rows[2].bar->setValue(value);
}

void uColorSel::SetInitialColor(Colour Valore) {
    ImpostaColore(Valore);
}

Colour uColorSel::GetNewColor() const {
    return m_shpNew->colour();
}

Colour uColorSel::lastColor() const {
    return m_shpLast->colour();
}

void uColorSel::SetEnabled(bool value) {
    m_enabled = value;
    for (const Row& row : m_rows) {
        row.text->setEnabled(value);
        row.bar->setEnabled(value);
    }
    m_shpLast->setEnabled(value);
    m_shpNew->setEnabled(value);
}

void uColorSel::ImpostaColore(Colour c) {
    m_shpLast->setColour(c);
    // Each bar that moves reports at once, so the owner sees the mixed colours on the way.
    m_rows[0].bar->setValue(colourRed(c));
    m_rows[1].bar->setValue(colourGreen(c));
    m_rows[2].bar->setValue(colourBlue(c));
}

void uColorSel::AggiornaColore() {
    const Colour c =
        makeColour(m_rows[0].bar->value(), m_rows[1].bar->value(), m_rows[2].bar->value());
    m_shpNew->setColour(c);
    Q_EMIT ColorChange(c);
}

void uColorSel::barChanged(const Row& row, int value) {
    row.text->setText(QString::number(value));
    AggiornaColore();
}

void uColorSel::textChanged(const Row& row, const QString& text) {
    // Text that is no number, or outside the bar's range, leaves the bar (and the text) alone.
    const std::optional<qint16> value = componentFromText(text);
    if (value && *value >= 0 && *value <= 255)
        row.bar->setValue(*value);
    AggiornaColore();
}

void uColorSel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

void uColorSel::layoutChildren() {
    const int H = height();
    const int W = width();
    QScrollBar* R = m_rows[0].bar;
    QScrollBar* G = m_rows[1].bar;
    QScrollBar* B = m_rows[2].bar;

    int lastTop = H - m_shpLast->height() - 3;
    int lastHeight = m_shpLast->height();
    const int s = int(roundHalfEven((lastTop - R->height() - G->height() - B->height()) / 4.0));
    if (s >= 1) {
        lastHeight = kSwatchHeight;
        R->move(R->x(), s);
        G->move(G->x(), R->y() + R->height() + s);
        B->move(B->x(), G->y() + G->height() + s);
    } else {
        // Too short for the spacing: the swatches take what is left under the rows.
        lastTop = B->y() + B->height() + s;
        lastHeight = qMax(0, H - lastTop - 3);
    }
    for (const Row& row : m_rows) {
        const int textLeft = W - kTextWidth - 3;
        const int barWidth = qMax(0, textLeft - kBarLeft - 3);
        row.bar->setGeometry(kBarLeft, row.bar->y(), barWidth, row.bar->height());
        row.text->setGeometry(textLeft, row.bar->y(), kTextWidth, row.text->height());
        row.label->move(kLabelLeft, row.bar->y());
    }
    const int lastWidth = qMax(0, int(roundHalfEven((W - 6) / 2.0)));
    const int newWidth = qMax(0, int(roundHalfEven((W - 6) / 2.0 + 1)));
    m_shpLast->setGeometry(3, lastTop, lastWidth, lastHeight);
    // The swatches share one pixel column, so their borders meet in a single line.
    m_shpNew->setGeometry(3 + lastWidth - 1, lastTop, newWidth, lastHeight);
}

#include "ucolorsel.moc"
