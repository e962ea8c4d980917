// How the pages show document values in their controls and read them back: dates, amounts and
// counts in the program's own formats, never through the process locale.
#pragma once

#include "platform/Currency.h"
#include "platform/NumText.h"
#include "platform/QtWindowing.h"

#include <QAbstractButton>
#include <QDate>
#include <QString>
#include <algorithm>
#include <initializer_list>
#include <string>

namespace pagevalues {

inline QDate ToQDate(TDateTime t) {
    int y, m, d;
    DecodeDate(t, y, m, d);
    return QDate(y, m, d);
}

inline TDateTime FromQDate(const QDate& d) { return EncodeDate(d.year(), d.month(), d.day()); }

// A date picker's latest date: its designed one, or today when that is later, so that a date of
// today that the program stores itself (a new declaration's filing date) shows as it is printed.
inline QDate LatestDateOrToday(const QDate& designed) { return std::max(designed, ToQDate(Today())); }

// The money type's shortest text: "," as separator, no trailing zeros, "0" for zero.
inline QString MoneyText(Currency c) { return QString::fromStdString(c.ToString(',')); }

// An empty or unreadable amount reads as 0.
inline Currency MoneyOf(const QString& text) {
    Currency c;
    Currency::TryParse(text.toStdString(), ',', c);
    return c;
}

inline int IntOf(const QString& text) {
    try {
        return StrToInt(text.toStdString());
    } catch (const EConvertError&) {
        return 0;
    }
}

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

// WM_DOCUMENT_CHANGED to the main window.
inline void Changed() { docnotify::SendDocumentChanged(); }

// A choice among radio buttons is a change of the document like any other entry: the button that
// becomes checked reports it (the one unchecked stays silent, so one choice is one change).
inline void ReportChoices(QObject* context, std::initializer_list<QAbstractButton*> buttons) {
    for (QAbstractButton* b : buttons)
        QObject::connect(b, &QAbstractButton::toggled, context, [](bool checked) {
            if (checked) Changed();
        });
}

} // namespace pagevalues
