#include "proplist/uadvlist_p.h"

// The inline editors: which one a highlighted row shows, where, their tooltips and clicks.

void uAdvList::hideEditors() {
    for (QWidget* w : {static_cast<QWidget*>(cmdMore), static_cast<QWidget*>(pctColor),
                       static_cast<QWidget*>(chkBool), static_cast<QWidget*>(imgImage),
                       static_cast<QWidget*>(imgMask[0]), static_cast<QWidget*>(imgMask[1])})
        w->hide();
}

void uAdvList::HideEditor(int cat, int item) {
    if (cat == 0)
        return;
    // A category row highlighted from the keys has no editor, only its colours to give back.
    if (item == 0) {
        pctList->update(rowArea({cat, 0}));
        return;
    }
    hideEditors();
    if (validItem(cat, item)) {
        const QRect& area = m_model->item(cat, item).Area;
        pctList->update(QRect(0, area.top(), pctList->width(), area.height()));
    }
}

void uAdvList::ShowEditor(int cat, int item) {
    placeHotEditor(cat, item);
    // Told once the editor shows, so that a listener sees the row as the user does.
    announceHighlight();
}

void uAdvList::placeHotEditor(int cat, int item) {
    mHotCat = cat;
    mHotItem = item;
    hideEditors();
    if (cat == 0 || item == 0)
        return;
    if (!validItem(cat, item)) {
        mHotCat = 0;
        mHotItem = 0;
        return;
    }
    const tItem& it = m_model->item(cat, item);
    const QRect& area = it.Area;
    pctList->update(QRect(0, area.top(), pctList->width(), area.height()));
    if (!it.IsSet)
        return;
    const auto picture = [this](const QString& path) {
        QImage img = path.isEmpty() ? QImage() : m_pictures.load(path, QSize(17, 17));
        return img.isNull() ? ListPictures::missingPicture(17) : img;
    };
    switch (it.Kind) {
    case KindImage:
        imgImage->setPicture(picture(imagePath(it)));
        imgImage->move(area.right() + 2, area.top() + 1);
        imgImage->show();
        break;
    case KindMask: {
        const QString folder = skinPath();
        const QString name = it.ItemValue.toString();
        imgMask[0]->setPicture(picture(folder.isEmpty() ? QString() : folder + name));
        imgMask[1]->setPicture(
            picture(folder.isEmpty() ? QString() : folder + QStringLiteral("p_") + name));
        imgMask[0]->move(area.right() + 2, area.top() + 1);
        imgMask[1]->move(imgMask[0]->x() + imgMask[0]->width() + 2, area.top() + 1);
        imgMask[0]->show();
        imgMask[1]->show();
        break;
    }
    case KindNumber:
    case KindString:
    case KindFile:
        PlaceEditor(cmdMore, cat, item);
        break;
    case KindColor:
        pctColor->setColour(toInt32Clamped(readNumber(it.ItemValue)));
        PlaceEditor(pctColor, cat, item);
        break;
    case KindGradient: {
        QImage inner(pctColor->innerSize(), QImage::Format_RGB32);
        inner.fill(Qt::white);
        bool painted = false;
        {
            QPainter ip(&inner);
            painted = paintGradient(ip, m_model->skin().get(), it.ItemKey, inner.rect());
        }
        if (!painted)
            inner = QImage();
        pctColor->setPicture(inner);
        PlaceEditor(pctColor, cat, item);
        break;
    }
    case KindBool:
        chkBool->setChecked(readNumber(it.ItemValue) != 0);
        PlaceEditor(chkBool, cat, item);
        break;
    default:
        break;
    }
}

void uAdvList::PlaceEditor(QWidget* editor, int cat, int item) {
    const QRect& area = m_model->item(cat, item).Area;
    editor->move(pctList->width() - editor->width() - 5, area.top() + (19 - editor->height()) / 2);
    editor->show();
    lblToolTip->raise();
}

void uAdvList::ShowToolTip(const QString& text, const QPoint& surfacePoint) {
    lblToolTip->setText(QLatin1Char(' ') + text + QLatin1Char(' '));
    lblToolTip->adjustSize();
    int left = surfacePoint.x() - lblToolTip->width() - 3;
    if (left <= 0)
        left = surfacePoint.x() + 13;
    lblToolTip->move(left, surfacePoint.y() + 2);
    lblToolTip->show();
    lblToolTip->raise();
}

void uAdvList::editorToolTip(QWidget* editor, const QPoint& globalPos) {
    const tItem* it = hotItemRecord();
    if (!it)
        return;
    QString text;
    if (editor == chkBool)
        text = chkBool->isChecked() ? tr("disattiva opzione") : tr("attiva opzione");
    else if (editor == cmdMore)
        text = it->Kind == KindString   ? tr("imposta stringa")
               : it->Kind == KindNumber ? tr("imposta numero")
                                        : tr("scegli file");
    else if (editor == imgImage)
        text = tr("modifica immagine");
    else if (editor == imgMask[0])
        text = tr("modifica maschera normale");
    else if (editor == imgMask[1])
        text = tr("modifica maschera premuto");
    else if (editor == pctColor)
        text = it->Kind == KindColor ? tr("scegli colore") : tr("imposta sfumatura");
    else
        return;
    ShowToolTip(text, pctList->mapFromGlobal(globalPos));
}

void uAdvList::editorClicked(QWidget* editor) {
    // The dialog or browser that opens now would otherwise sit beside a stale tooltip.
    lblToolTip->hide();
    const tItem* it = hotItemRecord();
    if (!it)
        return;
    if (editor == cmdMore && it->Kind == KindFile) {
        browseFile();
        return;
    }
    const QString key = it->ItemKey;
    Q_EMIT ModItem(key);
}

void uAdvList::browseFile() {
    const int cat = mHotCat;
    const int item = mHotItem;
    const tItem* it = hotItemRecord();
    if (!it)
        return;
    const std::optional<UserPrompts::BrowsedFile> chosen =
        orUnattended(m_prompts).browsePicture(this, skinPath(), it->ItemValue.toString());
    // The browser is modal, but the list may have been emptied under it all the same.
    if (!chosen || chosen->name.isEmpty() || !validItem(cat, item))
        return;
    // A file that cannot be copied changes nothing; the list tells why once the model returned.
    QString error;
    if (!m_model->chooseFile(cat, item, chosen->folder, chosen->name, &error) && !error.isEmpty())
        orUnattended(m_prompts).critical(this, error);
}
