// DataModule1: created at start-up beside the forms; nothing uses it.
#pragma once

#include <QObject>

namespace vorlan {

class TDataModule1 : public QObject {
public:
    explicit TDataModule1(QObject* parent = nullptr) : QObject(parent) {
        setObjectName(QStringLiteral("DataModule1"));
    }
};

}  // namespace vorlan
