#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "data/DataBase.h"
#include "data/SelectDataBase.h"

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace korvane::test {

struct TNamedRecord {
    std::int32_t ID;
    const char* Description;
    char Mark = ' ';
};

// Types text key by key, as the keyboard would (QTest's key clicks know only ASCII).
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// Adds records with the given IDs through the record file itself.
inline void InsertRecords(const char* file, std::initializer_list<TNamedRecord> records) {
    TDataBase base(file);
    for (const TNamedRecord& named : records) {
        TDataRecord record;
        record.ID = named.ID;
        record.Description = named.Description;
        record.Mark = named.Mark;
        bool added = false;
        base.Insert(record, added);
    }
}

// Adds selections of the given sample criteria with their weights, in this order.
inline void InsertSelections(const char* file,
                             std::initializer_list<std::pair<std::int32_t, int>> selections) {
    TSelectDataBase base(file);
    for (const auto& [criterion, weight] : selections) {
        TSelectRecord record;
        record.CriterionID = criterion;
        record.Weight = static_cast<std::uint16_t>(weight);
        bool added = false;
        base.Insert(record, added);
    }
}

// Every selection of the file, in file order, read by a fresh object.
inline std::vector<TSelectRecord> ReadSelections(const char* file) {
    std::vector<TSelectRecord> records;
    TSelectDataBase base(file);
    TSelectRecord record;
    base.First(record);
    while (base.Status() == 0) {
        records.push_back(record);
        base.Next(record);
    }
    return records;
}

// Every record of the file, in file order, read by a fresh object.
inline std::vector<TDataRecord> ReadRecords(const char* file) {
    std::vector<TDataRecord> records;
    TDataBase base(file);
    TDataRecord record;
    base.First(record);
    while (base.Status() == 0) {
        records.push_back(record);
        base.Next(record);
    }
    return records;
}

// The descriptions joined by blanks.
inline std::string Descriptions(const std::vector<TDataRecord>& records) {
    std::string text;
    for (const TDataRecord& record : records) {
        text += (text.empty() ? "" : " ") + record.Description;
    }
    return text;
}

} // namespace korvane::test
