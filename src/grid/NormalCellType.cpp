#include "grid/NormalCellType.h"

QString NormalCellType::GetName() const {
    return QStringLiteral("Normal Cell Type (default)");
}

QUuid NormalCellType::GetTypeId() const {
    static const QUuid id(0x4e43b6a9, 0x257b, 0x413e, 0x8f, 0x63, 0x91, 0xc6, 0x34, 0x52, 0xc5,
                          0x7c);
    return id;
}
