#include "proplistmodel.h"

#include "common/bitmapfile.h"
#include "common/cp1252.h"
#include "common/errors.h"
#include "common/filenames.h"
#include "common/numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <cmath>
#include <limits>

namespace {

// Indexes and counts of categories, items and gradient stops are 16-bit.
constexpr int kMaxCount = std::numeric_limits<qint16>::max();

const QString kMaskColorKey = QStringLiteral("MaskColor");
const QString kScrollerTranspKey = QStringLiteral("Scroller_Transp");
const QString kImageNameKey = QStringLiteral("ImageName");

bool endsWithBmp(const QString& key) {
    return key.right(4).toLower() == QLatin1String(".bmp");
}

// The value an optional item holds when it is switched off.
bool meansNotSet(const tItem& it) {
    const bool numeric = it.Kind == KindColor || it.Kind == KindNumber || it.Kind == KindGradient;
    return (numeric && readNumber(it.ItemValue) == -1) ||
           (it.Kind == KindImage && it.ItemValue.toString().isEmpty());
}

bool truthOf(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    return readNumber(v) != 0;
}

// A number in decimal without the blanks of the print form.
QString decimal(double value) {
    if (value == std::floor(value) && std::abs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

// The value of an item as its skin.ini line holds it. A line break inside a value would end the
// line early and turn the rest into a line of its own (a key the user never set), so it is
// written as a blank.
QString valueText(const QVariant& v) {
    QString text;
    if (v.typeId() == QMetaType::Bool)
        text = v.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
    else if (isNumericValue(v))
        text = decimal(v.toDouble());
    else
        text = v.toString();
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    return text;
}

// A value of the skin document written "as stored": texts unchanged, numbers in print form.
QString storedText(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool || isNumericValue(v))
        return printForm(readNumber(v));
    QString text = v.toString();
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    return text;
}

// A refusal goes back to a caller that asked for its text, and is reported otherwise.
bool refuse(const QString& text, QString* error) {
    if (error)
        *error = text;
    else
        reportMessage(text);
    return false;
}

QString withSeparator(QString folder) {
    folder.replace(u'\\', u'/');
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace

PropListModel::PropListModel(QObject* parent) : SettingList(parent) {}

PropListModel::~PropListModel() {
    m_cats.clear();
    m_skin.reset();
}

// ---------------------------------------------------------------------------------------------
// Structure

int PropListModel::FindCat(const QString& key) const {
    const QString lower = key.toLower();
    for (qsizetype i = 0; i < m_cats.size(); ++i) {
        if (m_cats[i].CatKey.toLower() == lower)
            return int(i + 1);
    }
    return 0;
}

void PropListModel::AddCat(const QString& Name, const QString& Caption) {
    if (m_ready || m_cats.size() >= kMaxCount)
        return;
    tCategory cat;
    cat.Caption = Caption;
    cat.CatKey = Name;
    m_cats.append(cat);
}

void PropListModel::AddItem(const QString& pCat, const QString& pCaption, const QString& pName,
                            qint32 pType, bool pAdvOpt, const QVariant& pValue) {
    if (m_ready || m_cats.isEmpty())
        return;
    const int cat = FindCat(pCat);
    if (cat == 0)
        return;
    QList<tItem>& items = m_cats[cat - 1].Items;
    if (items.size() >= kMaxCount)
        return;
    tItem it;
    it.Caption = pCaption;
    it.ItemKey = pName;
    it.Kind = pType;
    it.ItemValue = pValue;
    it.AdvOpt = pAdvOpt;
    items.append(it);
}

void PropListModel::Clear() {
    setDocument(nullptr);
    m_cats.clear();
    Q_EMIT itemsCleared();
    Q_EMIT listChanged();
}

void PropListModel::LoadingItems() {
    m_ready = false;
    // The document bound for the skin about to be shown stays.
    m_cats.clear();
    Q_EMIT itemsCleared();
    Q_EMIT listChanged();
}

int PropListModel::itemCount(int cat) const {
    if (cat < 1 || cat > m_cats.size())
        return 0;
    return int(m_cats[cat - 1].Items.size());
}

const tCategory& PropListModel::category(int cat) const {
    static const tCategory none;
    if (cat < 1 || cat > m_cats.size())
        return none;
    return m_cats[cat - 1];
}

const tItem& PropListModel::item(int cat, int item) const {
    static const tItem none;
    if (item < 1 || item > itemCount(cat))
        return none;
    return m_cats[cat - 1].Items[item - 1];
}

bool PropListModel::validItem(int cat, int item) const {
    return item >= 1 && item <= itemCount(cat);
}

bool PropListModel::findItem(const QString& key, int* cat, int* item) const {
    bool found = false;
    for (qsizetype c = 0; c < m_cats.size(); ++c) {
        const QList<tItem>& items = m_cats[c].Items;
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items[i].ItemKey == key) {
                *cat = int(c + 1);
                *item = int(i + 1);
                found = true;
                break;
            }
        }
    }
    return found;
}

bool PropListModel::isSwitchable(int cat, int item) const {
    if (!validItem(cat, item))
        return false;
    const tItem& it = this->item(cat, item);
    return it.AdvOpt && (it.ItemKey == kScrollerTranspKey || it.Kind == KindColor ||
                         it.Kind == KindImage || it.Kind == KindGradient);
}

// ---------------------------------------------------------------------------------------------
// Lookups

QString PropListModel::RetrCaption(const QString& Name) const {
    int c = 0, i = 0;
    return findItem(Name, &c, &i) ? item(c, i).Caption : QString(QLatin1String(""));
}

qint32 PropListModel::RetrType(const QString& Name) const {
    int c = 0, i = 0;
    return findItem(Name, &c, &i) ? item(c, i).Kind : qint32(KindColor);
}

QVariant PropListModel::RetrData(const QString& Name) const {
    int c = 0, i = 0;
    return findItem(Name, &c, &i) ? item(c, i).ItemValue : QVariant();
}

// ---------------------------------------------------------------------------------------------
// Values

bool PropListModel::SetData(const QString& Name, const QVariant& data) {
    return setDataFrom(Name, data, 0);
}

bool PropListModel::setDataFrom(const QString& Name, const QVariant& data, quintptr editor) {
    int c = 0, i = 0;
    if (!findItem(Name, &c, &i))
        return false;
    if (m_doc && item(c, i).Kind == KindGradient) {
        // A gradient's value only says whether it is on (its stops are a change of their own),
        // and a dialog never switches an item off.
        if (readNumber(data) == -1 || item(c, i).IsSet)
            return true;
        // Stops stored without the list (a tool writing the document) only need showing.
        if (readNumber(m_doc->value(gradientkeys::countKey(item(c, i).ItemKey))) > 0) {
            applyValue(c, i, 0, Change::Dialog);
            return true;
        }
        return toggleItem(c, i, QImage());
    }
    SkinChange change = changeOf(c, i);
    change.values = {{item(c, i).ItemKey, data}};
    change.editor = editor;
    return commit(c, i, data, Change::Dialog, change);
}

bool PropListModel::setGradient(const QString& Name, const QList<gradientkeys::Stop>& stops,
                                quintptr editor) {
    int c = 0, i = 0;
    if (!findItem(Name, &c, &i))
        return false;
    SkinChange change = changeOf(c, i);
    change.values = gradientkeys::encode(item(c, i).ItemKey, stops);
    change.editor = editor;
    return commit(c, i, 0, Change::Dialog, change);
}

bool PropListModel::setPictures(const QString& Name, const QVariant& data,
                                const QList<std::pair<QString, QByteArray>>& files,
                                QString* error) {
    int c = 0, i = 0;
    if (!findItem(Name, &c, &i))
        return false;
    SkinChange change = changeOf(c, i);
    change.values = {{item(c, i).ItemKey, data}};
    change.files = files;
    // A list bound to no skin has no working folder to hold them.
    if (!m_doc && !files.isEmpty())
        return false;
    return commit(c, i, data, Change::Dialog, change, error);
}

SkinChange PropListModel::changeOf(int cat, int item) const {
    SkinChange change;
    change.caption = this->item(cat, item).Caption;
    return change;
}

bool PropListModel::commit(int cat, int item, const QVariant& value, Change how,
                           const SkinChange& change, QString* error) {
    if (!m_doc) {
        // A list bound to no skin keeps its values for itself.
        applyValue(cat, item, value, how);
        return true;
    }
    // The rows learn the value from the document's announcement, made inside apply(); undo and
    // redo announce it later, as History.
    m_changing = how;
    const SkinDocument::Outcome outcome = m_doc->apply(change);
    m_changing = Change::History;
    if (!outcome.ok) {
        if (error)
            *error = outcome.error;
        else
            reportMessage(outcome.error);
        return false;
    }
    return true;
}

void PropListModel::setBoolFromEditor(int cat, int item, bool checked) {
    if (!validItem(cat, item))
        return;
    SkinChange change = changeOf(cat, item);
    change.values = {{this->item(cat, item).ItemKey, checked}};
    commit(cat, item, checked, Change::CheckBox, change);
}

bool PropListModel::toggleItem(int cat, int item, const QImage& placeholder, QString* error) {
    if (!isSwitchable(cat, item))
        return false;
    const tItem& it = this->item(cat, item);
    const QString& key = it.ItemKey;
    SkinChange change = changeOf(cat, item);
    if (it.IsSet) {
        // What it held comes back when it is switched on again.
        if (it.Kind == KindGradient) {
            const QString count = gradientkeys::countKey(key);
            if (m_doc)
                m_doc->rememberSwitchOff(key, m_doc->value(count));
            change.values = {{count, 0}};
        } else {
            if (m_doc)
                m_doc->rememberSwitchOff(key, it.ItemValue);
            change.values = {
                {key, it.Kind == KindImage ? QVariant(QString(QLatin1String(""))) : QVariant(-1)}};
        }
        return commit(cat, item, change.values.first().second, Change::Switch, change, error);
    }
    const std::optional<QVariant> before = m_doc ? m_doc->valueBeforeSwitchOff(key) : std::nullopt;
    switch (it.Kind) {
    case KindColor:
        change.values = {{key, before ? *before : QVariant(16777215)}};
        return commit(cat, item, change.values.first().second, Change::Switch, change, error);
    case KindGradient:
        if (!m_doc) {
            return refuse(
                errorMessageText(int(ErrorCode::InvalidArgument),
                                 tr("Nessuno skin aperto: impossibile attivare la sfumatura")),
                error);
        }
        if (before && readNumber(*before) > 0) {
            change.values = {{gradientkeys::countKey(key), *before}};
        } else {
            // Two black stops at both ends: a gradient the dialog can start from.
            change.values = gradientkeys::encode(key, {{0, 0}, {0, 100}});
        }
        return commit(cat, item, 0, Change::Switch, change, error);
    case KindImage: {
        const QString name = before && !before->toString().isEmpty()
                                 ? before->toString()
                                 : key.toLower() + QStringLiteral(".bmp");
        const QString folder = m_skin ? m_skin->SkinPath() : QString();
        if (folder.isEmpty()) {
            return refuse(noWorkFolderText(tr("impossibile creare %1").arg(name)), error);
        }
        // A picture already there is kept: it is the one this item showed before it was
        // switched off, or another item's, and a switch must not wipe it out.
        if (!QFileInfo(folder + name).isFile()) {
            const std::optional<QByteArray> bytes = placeholderBytes(placeholder);
            if (!bytes) {
                return refuse(errorMessageText(int(ErrorCode::DeviceIO),
                                               tr("%1: impossibile scrivere %2")
                                                   .arg(errorDescription(ErrorCode::DeviceIO),
                                                        QDir::toNativeSeparators(folder + name))),
                              error);
            }
            change.files = {{name, *bytes}};
        }
        change.values = {{key, name}};
        return commit(cat, item, name, Change::Switch, change, error);
    }
    default:
        change.values = {{key, before ? *before : QVariant(23)}};
        return commit(cat, item, change.values.first().second, Change::Switch, change, error);
    }
}

QString PropListModel::noWorkFolderText(const QString& what) const {
    return m_doc ? m_doc->noWorkFolderText(what)
                 : errorMessageText(int(ErrorCode::PathNotFound),
                                    tr("Nessuna cartella di lavoro: %1").arg(what));
}

std::optional<QByteArray> PropListModel::placeholderBytes(const QImage& placeholder) {
    QImage picture = placeholder;
    if (picture.isNull()) {
        picture = QImage(17, 17, QImage::Format_RGB32);
        picture.fill(Qt::white);
    }
    QByteArray bytes = bitmapFileBytes(picture);
    if (bytes.isEmpty())
        return std::nullopt;
    return bytes;
}

bool PropListModel::chooseFile(int cat, int item, const QString& folder, const QString& name,
                               QString* error) {
    if (!validItem(cat, item) || this->item(cat, item).Kind != KindFile || name.isEmpty())
        return false;
    if (!isPlainFileName(name)) {
        return refuse(
            errorMessageText(int(ErrorCode::BadFileName), errorDescription(ErrorCode::BadFileName) +
                                                              QStringLiteral(": ") + name),
            error);
    }
    const QString skinPath = m_skin ? m_skin->SkinPath() : QString();
    if (skinPath.isEmpty()) {
        return refuse(noWorkFolderText(tr("impossibile copiare %1").arg(name)), error);
    }
    const QString from = withSeparator(folder);
    std::optional<QByteArray> copied;
    // Folder names compare as the host's file system does: on a case-sensitive one, a folder
    // whose name differs only in case is another folder, and its file must be copied.
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity kFolderCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kFolderCase = Qt::CaseSensitive;
#endif
    if (QString::compare(from, withSeparator(skinPath), kFolderCase) != 0) {
        const QString source = from + name;
        const QString target = skinPath + name;
        const QString canonicalSource = QFileInfo(source).canonicalFilePath();
        if (canonicalSource.isEmpty() || !QFileInfo(source).isFile()) {
            return refuse(errorMessageText(int(ErrorCode::FileNotFound),
                                           errorDescription(ErrorCode::FileNotFound) +
                                               QStringLiteral(": ") +
                                               QDir::toNativeSeparators(source)),
                          error);
        }
        // The same file reached through another spelling of the folder needs no copy.
        if (canonicalSource != QFileInfo(target).canonicalFilePath()) {
            QFile in(source);
            if (!in.open(QIODevice::ReadOnly)) {
                return refuse(errorMessageText(int(ErrorCode::PermissionDenied),
                                               errorDescription(ErrorCode::PermissionDenied) +
                                                   QStringLiteral(": ") +
                                                   QDir::toNativeSeparators(source)),
                              error);
            }
            const QByteArray bytes = in.readAll();
            if (in.error() != QFileDevice::NoError) {
                return refuse(errorMessageText(int(ErrorCode::DeviceIO),
                                               errorDescription(ErrorCode::DeviceIO) +
                                                   QStringLiteral(": ") +
                                                   QDir::toNativeSeparators(source)),
                              error);
            }
            copied = bytes;
        }
    }
    SkinChange change = changeOf(cat, item);
    change.values = {{this->item(cat, item).ItemKey, name}};
    if (copied)
        change.files = {{name, *copied}};
    return commit(cat, item, name, Change::FileChoice, change, error);
}

void PropListModel::applyValue(int cat, int item, const QVariant& value, Change how) {
    tItem& it = m_cats[cat - 1].Items[item - 1];
    it.ItemValue = value;
    if (how == Change::Load)
        return; // Ready announces the whole list once
    switch (how) {
    case Change::Dialog:
        // A dialog opened before its item was switched off may still store a value; the file
        // will hold that value, so the row shows it as set rather than hiding it. A dialog never
        // switches an item off.
        if (it.AdvOpt && !it.IsSet && !meansNotSet(it))
            it.IsSet = true;
        break;
    case Change::Switch:
    case Change::History:
        // Undo and redo bring back values and, with them, whether the item is on.
        it.IsSet = !(it.AdvOpt && meansNotSet(it));
        break;
    case Change::CheckBox:
    case Change::FileChoice:
    case Change::Load:
        break;
    }
    // Every thumbnail is drawn with the mask colour as transparent.
    if (it.ItemKey == kMaskColorKey)
        Q_EMIT listChanged();
    else
        Q_EMIT itemChanged(cat, item);
}

QVariant PropListModel::documentValue(const tItem& it) const {
    if (it.Kind == KindGradient)
        return readNumber(m_doc->value(gradientkeys::countKey(it.ItemKey))) != 0 ? 0 : -1;
    return m_doc->value(it.ItemKey);
}

void PropListModel::onDocumentChanged(const QStringList& keys) {
    QSet<QString> changed;
    for (const QString& key : keys)
        changed.insert(key.toLower());
    for (int c = 1; c <= categoryCount(); ++c) {
        for (int i = 1; i <= itemCount(c); ++i) {
            const tItem& it = m_cats[c - 1].Items[i - 1];
            const QString key =
                it.Kind == KindGradient ? gradientkeys::countKey(it.ItemKey) : it.ItemKey;
            if (!changed.contains(key.toLower()) && !changed.contains(it.ItemKey.toLower()))
                continue;
            if (endsWithBmp(it.ItemKey)) {
                // The picture itself changed: the row shows it anew.
                Q_EMIT itemChanged(c, i);
                continue;
            }
            applyValue(c, i, documentValue(it), m_changing);
        }
    }
}

void PropListModel::setDocument(const std::shared_ptr<SkinDocument>& document) {
    const bool wasModified = Modified();
    if (m_doc)
        disconnect(m_doc.get(), nullptr, this, nullptr);
    m_doc = document;
    m_skin = m_doc ? m_doc->skin() : SkinRef();
    if (m_doc) {
        connect(m_doc.get(), &SkinDocument::changed, this, &PropListModel::onDocumentChanged);
        connect(m_doc.get(), &SkinDocument::modifiedChanged, this, &PropListModel::modifiedChanged);
    }
    if (wasModified != Modified())
        Q_EMIT modifiedChanged(Modified());
}

bool PropListModel::Ready(const SkinRef& InfoSkin) {
    // A document already bound to this skin (the main window opened it) stays; any other skin
    // gets a document of its own.
    if (!InfoSkin)
        setDocument(nullptr);
    else if (!m_doc || m_doc->skin() != InfoSkin)
        setDocument(std::make_shared<SkinDocument>(InfoSkin));
    m_ready = true;
    bool ok = true;
    if (!m_skin) {
        // Only an empty list may be bound to no skin; the values of a full one stay as they are.
        for (const tCategory& cat : m_cats) {
            if (!cat.Items.isEmpty()) {
                ok = false;
                break;
            }
        }
        Q_EMIT listChanged();
        return ok;
    }

    QStringList overflowing;
    for (int c = 1; c <= categoryCount(); ++c) {
        for (int i = 1; i <= itemCount(c); ++i) {
            tItem& it = m_cats[c - 1].Items[i - 1];
            it.IsSet = true;
            QVariant value;
            switch (it.Kind) {
            case KindColor:
            case KindNumber: {
                const double number = readNumber(m_skin->RetrInfo(it.ItemKey));
                std::optional<qint32> v;
                if (it.Kind == KindColor)
                    v = toInt32(number);
                else if (const std::optional<qint16> n = toInt16(number))
                    v = *n;
                if (v) {
                    value = *v;
                } else {
                    // One bad number must not keep the rest of the skin from loading.
                    overflowing << it.ItemKey;
                    value = 0;
                }
                break;
            }
            case KindBool:
                value = readNumber(m_skin->RetrInfo(it.ItemKey)) != 0;
                break;
            case KindGradient:
                value =
                    readNumber(m_skin->RetrInfo(gradientkeys::countKey(it.ItemKey))) != 0 ? 0 : -1;
                break;
            default:
                if (endsWithBmp(it.ItemKey))
                    value = it.ItemKey;
                else
                    value = m_skin->RetrInfo(it.ItemKey).toString();
                break;
            }
            applyValue(c, i, value, Change::Load);
            if (it.AdvOpt && meansNotSet(it))
                it.IsSet = false;
            // The document holds what the list shows, so that undoing brings back the value
            // as loaded (a number out of range is 0 here too).
            if (it.Kind != KindGradient && !endsWithBmp(it.ItemKey))
                m_doc->load(it.ItemKey, value);
        }
    }
    if (!overflowing.isEmpty()) {
        ok = false;
        const QString keys = overflowing.join(QStringLiteral(", "));
        reportError(ErrorCode::Overflow,
                    overflowing.size() == 1
                        ? tr("%1 (valore di %2 fuori intervallo)")
                              .arg(errorDescription(ErrorCode::Overflow), keys)
                        : tr("%1 (valori di %2 fuori intervallo)")
                              .arg(errorDescription(ErrorCode::Overflow), keys));
    }
    // Reading is no edit: the history starts here.
    m_doc->undoStack()->clear();
    Q_EMIT listChanged();
    return ok;
}

// ---------------------------------------------------------------------------------------------
// View bookkeeping

void PropListModel::setCategoryArea(int cat, const QRect& area) {
    if (cat >= 1 && cat <= categoryCount())
        m_cats[cat - 1].Area = area;
}

void PropListModel::setItemArea(int cat, int item, const QRect& area) {
    if (validItem(cat, item))
        m_cats[cat - 1].Items[item - 1].Area = area;
}

void PropListModel::setExpanded(int cat, bool expanded) {
    if (cat < 1 || cat > categoryCount() || m_cats[cat - 1].Expanded == expanded)
        return;
    m_cats[cat - 1].Expanded = expanded;
    Q_EMIT listChanged();
}

// ---------------------------------------------------------------------------------------------
// Files

QStringList PropListModel::GetFilesList() const {
    QStringList files;
    QSet<QString> seen;
    const auto add = [&](const QString& name) {
        // A name from a hand-edited skin.ini could point outside the working folder and pack a
        // file of the user's into the package; only plain names belong there.
        if (!isPlainFileName(name))
            return;
        const QString lower = name.toLower();
        if (seen.contains(lower))
            return;
        seen.insert(lower);
        files << name;
    };
    add(QStringLiteral("skin.ini"));
    for (const tCategory& cat : m_cats) {
        for (const tItem& it : cat.Items) {
            if (it.ItemKey == kImageNameKey) {
                add(it.ItemValue.toString());
            } else if (it.Kind == KindImage) {
                add(endsWithBmp(it.ItemKey) ? it.ItemKey : it.ItemValue.toString());
            } else if (it.Kind == KindMask) {
                const QString base = it.ItemValue.toString();
                if (!base.isEmpty()) {
                    add(base);
                    add(QStringLiteral("p_") + base);
                }
            }
        }
    }
    return files;
}

QByteArray PropListModel::parametersText() const {
    QString out;
    const auto line = [&out](const QString& text) {
        out += text;
        out += QStringLiteral("\r\n");
    };
    const QString indent = QStringLiteral("    ");
    const QString equals = QStringLiteral(" = ");
    line(QStringLiteral("[parametri]"));
    for (const tCategory& cat : m_cats) {
        line(QStringLiteral("  ") + cat.CatKey);
        for (const tItem& it : cat.Items) {
            const QString& key = it.ItemKey;
            if (!endsWithBmp(key) && it.Kind != KindGradient && it.Kind != KindBool) {
                line(indent + key + equals + valueText(it.ItemValue));
            } else if (it.Kind == KindGradient) {
                if (readNumber(it.ItemValue) == -1) {
                    line(indent + gradientkeys::countKey(key) + equals + QStringLiteral("0"));
                    continue;
                }
                const QVariant stored =
                    m_skin ? m_skin->RetrInfo(gradientkeys::countKey(key)) : QVariant();
                // A hand-edited count of millions would write millions of lines; no gradient
                // holds more stops than a 16-bit index reaches.
                const qint32 n = qMin(toInt32Clamped(readNumber(stored)), qint32(kMaxCount));
                line(indent + gradientkeys::countKey(key) + equals + QString::number(n));
                for (qint32 i = 1; i <= n; ++i) {
                    const QString pos = gradientkeys::positionKey(key, int(i));
                    const QString col = gradientkeys::colourKey(key, int(i));
                    line(indent + pos + equals + storedText(m_skin->RetrInfo(pos)));
                    line(indent + col + equals + storedText(m_skin->RetrInfo(col)));
                }
            } else if (it.Kind == KindBool) {
                line(indent + key + equals +
                     (truthOf(it.ItemValue) ? QStringLiteral("-1") : QStringLiteral("0")));
            }
        }
        line(QString());
    }
    return encodeCp1252(out);
}

bool PropListModel::writeAll(QIODevice* device, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = device->write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += qsizetype(n);
    }
    return true;
}

QString PropListModel::Salva(bool* ok, QString* error) {
    const QString path = (m_skin ? m_skin->SkinPath() : QString()) + QStringLiteral("skin.ini");
    SkinDocument::Outcome written{false, {}};
    if (m_doc)
        written = m_doc->writeParameters(parametersText());
    else
        written.error = noWorkFolderText(tr("impossibile scrivere %1").arg(path));
    // A save that did not reach the disk leaves the changes unsaved.
    if (!written.ok && !written.error.isEmpty())
        refuse(written.error, error);
    if (ok)
        *ok = written.ok;
    return path;
}
