#include "frmcolor.h"

#include "colourpalettes.h"
#include "common/hexcolour.h"
#include "dialogkit/buttonkeys.h"
#include "dialogkit/colourpicker.h"
#include "dialogkit/csetting.h"
#include "dialogkit/dialoglayout.h"
#include "gradient/csfum.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <cmath>
#include <functional>

namespace colourpicker_detail {

// A picture area: shows a picture drawn by the dialog, with the background's white wherever the
// picture does not reach, and hands the mouse to the dialog.
class PictureArea : public QWidget {
public:
    using MouseHandler =
        std::function<void(QEvent::Type, Qt::MouseButton, Qt::MouseButtons, QPoint)>;

    explicit PictureArea(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void setPicture(const QImage& picture) {
        m_picture = picture;
        update();
    }
    void setMouseHandler(MouseHandler handler) { m_handler = std::move(handler); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.drawImage(0, 0, m_picture);
    }
    void mousePressEvent(QMouseEvent* e) override { forward(e); }
    void mouseMoveEvent(QMouseEvent* e) override { forward(e); }
    void mouseReleaseEvent(QMouseEvent* e) override { forward(e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        // A second click is a press like the first.
        if (m_handler)
            m_handler(QEvent::MouseButtonPress, e->button(), e->buttons(), e->position().toPoint());
    }

private:
    void forward(QMouseEvent* e) {
        if (m_handler)
            m_handler(e->type(), e->button(), e->buttons(), e->position().toPoint());
    }

    QImage m_picture;
    MouseHandler m_handler;
};

// A colour swatch with a thin black border; a click on it is reported. Tab reaches it (a click
// leaves the focus where it was, so that a typed value is not validated by it), and Space or
// Enter then click it.
class Swatch : public QWidget {
public:
    explicit Swatch(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::TabFocus); }
    void setColour(Colour c) {
        m_colour = c;
        update();
    }
    Colour colour() const { return m_colour; }
    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), toQColor(m_colour));
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        if (hasFocus()) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.rect = rect().adjusted(3, 3, -3, -3);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
        }
    }
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }
    void keyPressEvent(QKeyEvent* e) override {
        const int key = e->key();
        if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && onClick)
            onClick();
        else
            QWidget::keyPressEvent(e);
    }
    void mousePressEvent(QMouseEvent* e) override { m_pressed = e->button() == Qt::LeftButton; }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const bool click =
            m_pressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
        m_pressed = false;
        if (click && onClick)
            onClick();
    }

private:
    Colour m_colour = 0;
    bool m_pressed = false;
};

// One colour of a palette: a small swatch that picks its colour when clicked; Tab reaches it
// without a click taking the focus, like the large swatches.
class PaletteSwatch : public QAbstractButton {
public:
    PaletteSwatch(Colour colour, QWidget* parent) : QAbstractButton(parent), m_colour(colour) {
        setFocusPolicy(Qt::TabFocus);
        setToolTip(colourToHex(colour));
        setAccessibleName(colourToHex(colour));
    }
    Colour colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        p.fillRect(rect().adjusted(1, 1, -1, -1), toQColor(m_colour));
        if (hasFocus()) {
            // Black and white, so that it shows on any colour.
            p.setPen(Qt::white);
            p.drawRect(rect().adjusted(1, 1, -2, -2));
            p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.drawRect(rect().adjusted(1, 1, -2, -2));
        }
    }

private:
    Colour m_colour;
};

} // namespace colourpicker_detail

using colourpicker_detail::PaletteSwatch;
using colourpicker_detail::PictureArea;
using colourpicker_detail::Swatch;

namespace {

constexpr int kTableWidth = 200;
constexpr int kTableHeight = 255;

// The marker of the last pick in the table: a black square with a white ring inside, so that it
// shows on the saturated colours of the top rows as well as on the white of the bottom ones.
class SelMarker : public QWidget {
public:
    explicit SelMarker(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(Qt::black);
        p.drawRect(0, 0, width() - 1, height() - 1);
        p.setPen(Qt::white);
        p.drawRect(1, 1, width() - 3, height() - 3);
    }
};

// The line across the shade bar: alternating black and white dashes, readable on black, on any
// colour and on white.
class LinMarker : public QWidget {
public:
    explicit LinMarker(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int x = 0; x < width(); x += 3)
            p.fillRect(x, 0, 3, height(), (x / 3) % 2 ? Qt::white : Qt::black);
    }
};

// The colour table: hue from red through yellow, green, cyan, blue and magenta back towards red
// from left to right; full colour in the top row fading to white in the bottom row.
QImage buildTable() {
    QImage image(kTableWidth, kTableHeight, QImage::Format_RGB32);
    for (int x = 0; x < kTableWidth; ++x) {
        const double t = x * 6.0 / kTableWidth;
        const int segment = int(t);
        const double f = t - segment;
        double r = 0, g = 0, b = 0;
        switch (segment) {
        case 0:
            r = 1, g = f, b = 0;
            break;
        case 1:
            r = 1 - f, g = 1, b = 0;
            break;
        case 2:
            r = 0, g = 1, b = f;
            break;
        case 3:
            r = 0, g = 1 - f, b = 1;
            break;
        case 4:
            r = f, g = 0, b = 1;
            break;
        default:
            r = 1, g = 0, b = 1 - f;
            break;
        }
        for (int y = 0; y < kTableHeight; ++y) {
            const double w = double(y) / (kTableHeight - 1);
            auto mix = [w](double c) {
                return int(std::lround(255.0 * (c + (1 - c) * w)));
            };
            image.setPixel(x, y, qRgb(mix(r), mix(g), mix(b)));
        }
    }
    return image;
}

// A text box's text read as a 16-bit integer: the whole text (blanks around it aside) must be a
// number; fractions round half to even.
std::optional<qint16> textAsInt16(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (t.startsWith(QLatin1String("&h"), Qt::CaseInsensitive)) {
        bool ok = false;
        const qint64 v = t.mid(2).toLongLong(&ok, 16);
        if (!ok || v > 0xFFFF)
            return std::nullopt;
        return qint16(quint16(v)); // &HFFFF is -1, as a 16-bit literal reads
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return toInt16(v);
}

constexpr int kPaletteCell = 18; // a palette swatch
constexpr int kPaletteStep = 21; // from one swatch to the next
constexpr int kRecentPerRow = 7;
constexpr int kSkinPerRow = 18;
constexpr int kSkinRows = 3; // shown at once; more scroll

// The colour on the screen at a global point. The screen is read whole (window 0), so that it
// works on a plain X server, where there is no compositor to ask for a window's picture.
std::optional<Colour> colourOnScreen(const QPoint& global) {
    if (QScreen* screen = QGuiApplication::screenAt(global)) {
        const QPoint at = global - screen->geometry().topLeft();
        const QImage shot = screen->grabWindow(0, at.x(), at.y(), 1, 1).toImage();
        if (!shot.isNull())
            return fromQRgb(shot.pixel(0, 0));
    }
    // Where the platform keeps the screen to itself, the editor's own windows can still be read.
    if (QWidget* under = QApplication::widgetAt(global)) {
        QWidget* top = under->window();
        const QImage own = top->grab(QRect(top->mapFromGlobal(global), QSize(1, 1))).toImage();
        if (!own.isNull())
            return fromQRgb(own.pixel(0, 0));
    }
    return std::nullopt;
}

// The dialog the picker function is showing.
QPointer<frmColor>& sharedDialog() {
    static QPointer<frmColor> instance;
    return instance;
}

} // namespace

frmColor::frmColor(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmColor"));
    setWindowTitle(tr("Selezionatore di colori"));
    setFont(dialogFont());
    buildControls();
    mTavola = buildTable();
    Tav->setPicture(mTavola);
    mBarra = QImage(pctSfum->size(), QImage::Format_RGB32);
    mBarra.fill(Qt::black);
    pctSfum->setPicture(mBarra);
}

frmColor::~frmColor() {
    // The text boxes lose the focus while they are destroyed; that is no reason to validate.
    for (QLineEdit* box : {txtR, txtG, txtB, txtHex})
        box->removeEventFilter(this);
}

void frmColor::buildControls() {
    Tav = new PictureArea(this);
    Tav->setObjectName(QStringLiteral("Tav"));
    Tav->setGeometry(twipsRect(75, 75, 3000, 3840));
    Tav->setCursor(Qt::CrossCursor);
    Tav->setMouseHandler([this](QEvent::Type t, Qt::MouseButton b, Qt::MouseButtons held,
                                QPoint p) { tavMouse(t, b, held, p); });

    Sel = new SelMarker(Tav);
    Sel->setObjectName(QStringLiteral("Sel"));
    Sel->setGeometry(0, 0, 7, 7);
    Sel->hide();

    pctSfum = new PictureArea(this);
    pctSfum->setObjectName(QStringLiteral("pctSfum"));
    pctSfum->setGeometry(twipsRect(3150, 75, 390, 3840));
    pctSfum->setMouseHandler([this](QEvent::Type t, Qt::MouseButton b, Qt::MouseButtons held,
                                    QPoint p) { sfumMouse(t, b, held, p); });

    lin = new LinMarker(pctSfum);
    lin->setObjectName(QStringLiteral("lin"));
    lin->setGeometry(0, 0, pctSfum->width(), 1);

    const int tops[3] = {150, 450, 750};
    const char* names[3] = {"R", "G", "B"};
    QLabel** labels[3] = {&lblR, &lblG, &lblB};
    QLineEdit** boxes[3] = {&txtR, &txtG, &txtB};
    QScrollBar** bars[3] = {&R, &G, &B};
    for (int i = 0; i < 3; ++i) {
        const QString n = QLatin1String(names[i]);
        QLabel* label = new QLabel(n + u':', this);
        label->setObjectName(QStringLiteral("lbl") + n);
        // The designed label is shorter than a line of text; let it overhang downwards.
        const QRect r = twipsRect(3975, tops[i], 240, 165);
        label->setGeometry(r.x(), r.y(), r.width(), r.height() + 5);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        *labels[i] = label;

        QLineEdit* box = new QLineEdit(QStringLiteral("0"), this);
        box->setObjectName(QStringLiteral("txt") + n);
        box->setGeometry(twipsRect(4275, tops[i], 540, 240));
        box->setMaxLength(3);
        box->installEventFilter(this);
        *boxes[i] = box;

        QScrollBar* bar = new QScrollBar(Qt::Horizontal, this);
        bar->setObjectName(n);
        bar->setGeometry(twipsRect(4875, tops[i], 1290, 240));
        bar->setRange(0, 255);
        // Tab reaches the bar (its arrows then move it); a click leaves the focus where it was.
        bar->setFocusPolicy(Qt::TabFocus);
        *bars[i] = bar;
    }
    for (int i = 0; i < 3; ++i) {
        QLineEdit* box = *boxes[i];
        QScrollBar* bar = *bars[i];
        connect(box, &QLineEdit::textChanged, this, [this, box, bar] { txt_Change(box, bar); });
        connect(bar, &QScrollBar::valueChanged, this, [this, box, bar] { bar_Change(bar, box); });
    }

    shpVecchio = new Swatch(this);
    shpVecchio->setObjectName(QStringLiteral("shpVecchio"));
    shpVecchio->setGeometry(twipsRect(3975, 1125, 1140, 390));
    shpVecchio->onClick = [this] {
        MostraColore(mVecchio);
        DisegnaSfumatura();
        centraMarcatore();
    };
    shpColore = new Swatch(this);
    shpColore->setObjectName(QStringLiteral("shpColore"));
    shpColore->setGeometry(twipsRect(5100, 1125, 1065, 390));
    shpColore->onClick = [this] {
        MostraColore(shpColore->colour());
        DisegnaSfumatura();
        centraMarcatore();
    };

    cmdOk = new QPushButton(tr("Ok"), this);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setGeometry(twipsRect(3975, 3225, 2190, 315));
    cmdAnnulla = new QPushButton(tr("Annulla"), this);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    cmdAnnulla->setGeometry(twipsRect(3975, 3600, 2190, 315));
    // Neither button is a default one: Enter belongs to the text boxes.
    for (QPushButton* b : {cmdOk, cmdAnnulla}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(cmdOk, &QPushButton::clicked, this, &frmColor::cmdOk_Click);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmColor::cmdAnnulla_Click);

    // The form is as large as its controls with the designed margin of 75 twips around them.
    setFixedSize(R->geometry().right() + 1 + twipsToPixels(75),
                 Tav->geometry().bottom() + 1 + twipsToPixels(75));
    buildExtras();
}

// The hex box, "Preleva" and the recent colours fill the free part of the column above the
// buttons; the skin's colours take a band of their own below everything else.
void frmColor::buildExtras() {
    const int left = cmdOk->x();
    const int columnWidth = cmdOk->width();
    const int right = left + columnWidth;

    txtHex = new QLineEdit(this);
    txtHex->setObjectName(QStringLiteral("txtHex"));
    txtHex->setGeometry(left, 108, 72, 21);
    txtHex->setMaxLength(9); // "#RRGGBB" with a blank on either side
    txtHex->setToolTip(QStringLiteral("#RRGGBB"));
    txtHex->installEventFilter(this);
    txtHex->setText(colourToHex(currentColour()));

    cmdPreleva = new QPushButton(tr("Preleva"), this);
    cmdPreleva->setObjectName(QStringLiteral("cmdPreleva"));
    cmdPreleva->setGeometry(right - 70, 108, 70, 21);
    cmdPreleva->setAutoDefault(false);
    connect(cmdPreleva, &QPushButton::clicked, this, &frmColor::iniziaPrelievo);

    lblRecenti = new QLabel(tr("Recenti"), this);
    lblRecenti->setObjectName(QStringLiteral("lblRecenti"));
    lblRecenti->setGeometry(left, 137, columnWidth, 14);
    pnlRecenti = new QWidget(this);
    pnlRecenti->setObjectName(QStringLiteral("pnlRecenti"));
    pnlRecenti->setGeometry(left, 153, columnWidth, 2 * kPaletteStep);

    const int bandTop = Tav->geometry().bottom() + 1 + 4;
    lblColoriSkin = new QLabel(tr("Colori dello skin"), this);
    lblColoriSkin->setObjectName(QStringLiteral("lblColoriSkin"));
    lblColoriSkin->setGeometry(Tav->x(), bandTop, Tav->width(), 14);
    scrColoriSkin = new QScrollArea(this);
    scrColoriSkin->setObjectName(QStringLiteral("scrColoriSkin"));
    scrColoriSkin->setFrameShape(QFrame::NoFrame);
    scrColoriSkin->setFocusPolicy(Qt::NoFocus);
    scrColoriSkin->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrColoriSkin->setGeometry(Tav->x(), bandTop + 16, right - Tav->x(), kSkinRows * kPaletteStep);
    pnlColoriSkin = new QWidget;
    pnlColoriSkin->setObjectName(QStringLiteral("pnlColoriSkin"));
    scrColoriSkin->setWidget(pnlColoriSkin);

    // Every control in reading order: the components row by row, the swatches, the hex box and
    // "Preleva", the recent colours, the buttons, then the skin's colours.
    const QList<QWidget*> order{txtR,       R,         txtG,   G,          txtB,  B,
                                shpVecchio, shpColore, txtHex, cmdPreleva, cmdOk, cmdAnnulla};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    mRecenti = RecentColours::load();
    riempiPalette(pnlRecenti, mRecenti, kRecentPerRow, cmdPreleva);

    setFixedSize(width(), scrColoriSkin->geometry().bottom() + 1 + twipsToPixels(75));
}

// Lays the swatches of `colours` out in rows on `area` and puts them in the Tab order right
// after `tabAfter`, followed by whatever came after it.
void frmColor::riempiPalette(QWidget* area, const QList<Colour>& colours, int perRow,
                             QWidget* tabAfter) {
    qDeleteAll(area->findChildren<PaletteSwatch*>());
    QWidget* next = tabAfter->nextInFocusChain();
    QWidget* previous = tabAfter;
    for (qsizetype i = 0; i < colours.size(); ++i) {
        auto* swatch = new PaletteSwatch(colours[i], area);
        swatch->setObjectName(QStringLiteral("swatch%1").arg(i + 1));
        swatch->setGeometry(int(i % perRow) * kPaletteStep, int(i / perRow) * kPaletteStep,
                            kPaletteCell, kPaletteCell);
        const Colour c = colours[i];
        connect(swatch, &QAbstractButton::clicked, this, [this, c] { Scegli(c); });
        swatch->show();
        setTabOrder(previous, swatch);
        previous = swatch;
    }
    if (area == pnlColoriSkin) {
        const int rows = int((colours.size() + perRow - 1) / perRow);
        area->resize(perRow * kPaletteStep, qMax(1, rows) * kPaletteStep);
    }
    if (previous != tabAfter)
        setTabOrder(previous, next);
}

Colour frmColor::currentColour() const {
    return makeColour(R->value(), G->value(), B->value());
}

QPoint frmColor::selPosition() const {
    return Sel->pos();
}
bool frmColor::selVisible() const {
    return Sel->isVisibleTo(Tav);
}

frmColor* frmColor::sharedInstance() {
    return sharedDialog().data();
}

// --- the private operations ---

void frmColor::MostraColore(Colour c) {
    txtR->setText(QString::number(colourRed(c)));
    txtG->setText(QString::number(colourGreen(c)));
    txtB->setText(QString::number(colourBlue(c)));
    shpColore->setColour(c);
    // The main window shows the colour being picked before "Ok".
    if (mSetting)
        mSetting->ShowPending({{mSetting->SettName(), QVariant(qint32(c))}});
}

void frmColor::DisegnaSfumatura(Colour& c) {
    if (c == kColourNotSet)
        c = currentColour();
    cSfum sfum;
    sfum.AggiungiColore(0, 0, 0);
    sfum.AggiungiColore(c, 50, 0);
    sfum.AggiungiColore(0xFFFFFF, 100, 0);
    QImage bar(pctSfum->size(), QImage::Format_RGB32);
    bar.fill(Qt::black);
    {
        QPainter painter(&bar);
        PainterGradientTarget target(&painter);
        sfum.SetObject(&target);
        sfum.StampaSfumatura(0, 0, bar.width(), bar.height(), 1);
    }
    mBarra = bar;
    pctSfum->setPicture(mBarra);
    ++mBarBuilds;
}

void frmColor::DisegnaSfumatura() {
    Colour c = kColourNotSet;
    DisegnaSfumatura(c);
}

// The marker goes to the row that holds the colour itself, which is where the bar's middle stop
// lands (for an even height that is one row above height / 2), so that a pick in the table with
// the marker centred gives exactly the colour picked.
void frmColor::centraMarcatore() {
    const int h = mBarra.height();
    const double middle = roundHalfEven(h * 50 / 100.0);
    setLinY(qBound(0, int(middle) - 1, h - 1));
}

void frmColor::setLinY(int y) {
    mLinY = y;
    lin->move(0, y);
}

void frmColor::AggiornaDaBarre() {
    const Colour v = currentColour();
    if (v == mUltimo)
        return;
    mUltimo = v;
    MostraColore(v);
    if (mTrascina)
        return; // the bar stays as it is while the user drags on it
    DisegnaSfumatura();
    centraMarcatore();
}

void frmColor::ScegliDaSfumatura(int x, int y) {
    setLinY(y);
    MostraColore(fromQRgb(mBarra.pixel(x, y)));
}

void frmColor::ScegliDaTavola(int x, int y) {
    Sel->move(x - 3, y - 3);
    Sel->show();
    Colour picked = fromQRgb(mTavola.pixel(x, y));
    DisegnaSfumatura(picked);
    MostraColore(fromQRgb(mBarra.pixel(0, mLinY)));
}

// The cursor cannot be confined to a control on every platform, so while a button is held the
// picked point is kept inside the picture instead: the picks are the same.
QPoint frmColor::BloccaCursore(QWidget* control, const QPoint& p) const {
    const QImage& picture = control == Tav ? mTavola : mBarra;
    return QPoint(qBound(0, p.x(), picture.width() - 1), qBound(0, p.y(), picture.height() - 1));
}

void frmColor::ValidaTesti() {
    for (QLineEdit* box : {txtR, txtG, txtB}) {
        const std::optional<qint16> v = textAsInt16(box->text());
        if (!v)
            return;
        if (*v > 255)
            box->setText(QStringLiteral("255"));
    }
    mRisultato = currentColour();
    DisegnaSfumatura();
}

void frmColor::Termina() {
    mTermina = true;
    close();
    if (mRisultato != -1 && mSetting) {
        const std::shared_ptr<cSetting> setting = mSetting;
        setting->ReturnValue(QVariant(qint32(mRisultato)));
    }
}

// --- events ---

void frmColor::txt_Change(QLineEdit* box, QScrollBar* bar) {
    const std::optional<qint16> v = textAsInt16(box->text());
    if (v && *v >= 0 && *v <= 255)
        bar->setValue(*v);
}

void frmColor::bar_Change(QScrollBar* bar, QLineEdit* box) {
    box->setText(QString::number(bar->value()));
    AggiornaDaBarre();
    if (txtHex)
        txtHex->setText(colourToHex(currentColour()));
}

void frmColor::tavMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                        QPoint p) {
    switch (type) {
    case QEvent::MouseButtonPress: {
        const QPoint q = BloccaCursore(Tav, p);
        ScegliDaTavola(q.x(), q.y());
        break;
    }
    case QEvent::MouseMove:
        if (held & Qt::LeftButton) {
            const QPoint q = BloccaCursore(Tav, p);
            ScegliDaTavola(q.x(), q.y());
        }
        break;
    default:
        break;
    }
}

void frmColor::sfumMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
                         QPoint p) {
    const QPoint q = BloccaCursore(pctSfum, p);
    switch (type) {
    case QEvent::MouseButtonPress:
        mTrascina = true;
        if (button == Qt::LeftButton)
            ScegliDaSfumatura(q.x(), q.y());
        break;
    case QEvent::MouseMove:
        if (held & Qt::LeftButton)
            ScegliDaSfumatura(q.x(), q.y());
        break;
    case QEvent::MouseButtonRelease:
        mTrascina = false; // the bar is not rebuilt here
        break;
    default:
        break;
    }
}

bool frmColor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtHex && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ApplicaHex();
            return true;
        }
    }
    if (watched == txtHex && event->type() == QEvent::FocusOut && !mTermina) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            ApplicaHex();
    }
    const bool isBox = watched == txtR || watched == txtG || watched == txtB;
    if (isBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ValidaTesti();
            return true;
        }
    }
    if (isBox && event->type() == QEvent::FocusOut && !mTermina) {
        // Only a move of the focus inside the dialog validates, not the window losing it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            ValidaTesti();
    }
    return QDialog::eventFilter(watched, event);
}

void frmColor::cmdOk_Click() {
    mRisultato = currentColour();
    RecentColours::remember(mRisultato);
    Concludi();
}

void frmColor::cmdAnnulla_Click() {
    mRisultato = -1;
    Concludi();
}

void frmColor::Concludi() {
    if (mModoFunzione) {
        mInChiusura = true;
        mTermina = true;
        close(); // ends the modal loop of SelezionaColore
    } else {
        Termina();
    }
}

void frmColor::reject() {
    if (mPrelievo) {
        fermaPrelievo(); // Esc while picking gives the pick up, not the dialog
        return;
    }
    cmdAnnulla_Click();
}

void frmColor::keyPressEvent(QKeyEvent* event) {
    if (mPrelievo) {
        // The keyboard is held for the pick; only Esc means anything then.
        if (event->key() == Qt::Key_Escape)
            fermaPrelievo();
        return;
    }
    if (pressFocusedButton(this, event))
        return;
    QDialog::keyPressEvent(event);
}

void frmColor::mousePressEvent(QMouseEvent* event) {
    if (!mPrelievo) {
        QDialog::mousePressEvent(event);
        return;
    }
    // While picking, the dialog holds the pointer: this press may be anywhere on the screen.
    const QPoint global = event->globalPosition().toPoint();
    const bool pick = event->button() == Qt::LeftButton;
    fermaPrelievo();
    if (!pick)
        return;
    if (const std::optional<Colour> c = colourOnScreen(global))
        Scegli(*c);
}

void frmColor::iniziaPrelievo() {
    if (mPrelievo)
        return;
    mPrelievo = true;
    grabMouse(QCursor(Qt::CrossCursor));
    grabKeyboard();
}

void frmColor::fermaPrelievo() {
    if (!mPrelievo)
        return;
    mPrelievo = false;
    releaseMouse();
    releaseKeyboard();
}

void frmColor::Scegli(Colour c) {
    MostraColore(c);
    DisegnaSfumatura();
    centraMarcatore();
    txtHex->setText(colourToHex(currentColour()));
}

void frmColor::ApplicaHex() {
    const QString shown = colourToHex(currentColour());
    if (txtHex->text() == shown)
        return; // nothing typed: the marker stays where the user left it
    const std::optional<Colour> c = colourFromHex(txtHex->text());
    if (c)
        Scegli(*c);
    else
        txtHex->setText(shown);
}

void frmColor::mostraColoriSkin(const SkinRef& skin) {
    mColoriSkin = skin ? skinColours(*skin) : QList<Colour>();
    riempiPalette(pnlColoriSkin, mColoriSkin, kSkinPerRow, cmdAnnulla);
}

void frmColor::closeEvent(QCloseEvent* event) {
    fermaPrelievo();
    if (!mTermina) {
        // Closed by the frame, or by the launcher when the main window closes: as "Annulla".
        mTermina = true;
        mRisultato = -1;
        if (mModoFunzione)
            mInChiusura = true;
    }
    event->accept();
}

// --- the two uses ---

void frmColor::Avvia(const std::shared_ptr<cSetting>& Setting, SkinRef& Skin, const QVariant& Value,
                     bool Mask) {
    mSetting = Setting;
    const Colour c = toInt32Clamped(readNumber(Value));
    mVecchio = c;
    shpVecchio->setColour(c);
    MostraColore(c);
    DisegnaSfumatura();
    centraMarcatore();
    mModoFunzione = false;
    mostraColoriSkin(Skin ? Skin : openSkin());
}

Colour frmColor::SelezionaColore(Colour ColoreLong) {
    mModoFunzione = true;
    if (!mInChiusura) {
        mVecchio = ColoreLong;
        shpVecchio->setColour(ColoreLong);
        MostraColore(ColoreLong);
        DisegnaSfumatura();
        centraMarcatore();
        mostraColoriSkin(openSkin());
        setWindowModality(Qt::ApplicationModal);
        exec();
    }
    // A modal loop that ended without a button or the frame (the window merely hidden) is a
    // cancellation as well.
    if (!mInChiusura || mRisultato == -1)
        return ColoreLong;
    return mRisultato;
}

Colour frmColor::pickColour(Colour ColoreLong) {
    // Each call gets a fresh dialog, dropped as soon as it has answered.
    std::unique_ptr<frmColor> dialog(new frmColor(nullptr));
    QPointer<frmColor>& current = sharedDialog();
    const QPointer<frmColor> previous = current;
    current = dialog.get();
    const Colour result = dialog->SelezionaColore(ColoreLong);
    current = previous;
    return result;
}
