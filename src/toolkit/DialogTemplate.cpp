#include "toolkit/DialogTemplate.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <map>
#include <memory>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& what)
{
    throw std::runtime_error(what.toStdString());
}

ControlTemplate::Kind kindFromName(const QString& name)
{
    static const std::map<QString, ControlTemplate::Kind> kinds = {
        {QStringLiteral("groupbox"), ControlTemplate::Kind::GroupBox},
        {QStringLiteral("edit"), ControlTemplate::Kind::Edit},
        {QStringLiteral("button"), ControlTemplate::Kind::Button},
        {QStringLiteral("static"), ControlTemplate::Kind::Static},
        {QStringLiteral("icon"), ControlTemplate::Kind::Icon},
        {QStringLiteral("link"), ControlTemplate::Kind::Link},
        {QStringLiteral("grid"), ControlTemplate::Kind::Grid},
    };
    const auto found = kinds.find(name);
    if (found == kinds.end())
        fail(QStringLiteral("unknown control kind \"%1\"").arg(name));
    return found->second;
}

QRect rectFrom(const QJsonValue& value, const QString& what)
{
    const QJsonArray array = value.toArray();
    if (array.size() != 4)
        fail(what + QStringLiteral(": a rectangle needs x, y, w, h"));
    for (const QJsonValue& number : array) {
        if (!number.isDouble())
            fail(what + QStringLiteral(": a rectangle holds numbers only"));
    }
    return QRect(array[0].toInt(), array[1].toInt(), array[2].toInt(), array[3].toInt());
}

Anchors anchorsFrom(const QJsonValue& value, const QString& what)
{
    if (value.isUndefined())
        return {};
    const QJsonArray array = value.toArray();
    if (array.size() != 4)
        fail(what + QStringLiteral(": anchors need left, top, right, bottom"));
    Anchors anchors{array[0].toDouble(), array[1].toDouble(), array[2].toDouble(),
                    array[3].toDouble()};
    for (double a : {anchors.left, anchors.top, anchors.right, anchors.bottom}) {
        if (!(a >= 0.0 && a <= 1.0))
            fail(what + QStringLiteral(": anchors lie between 0 and 1"));
    }
    return anchors;
}

} // namespace

QRect Anchors::apply(const QRect& base, int dx, int dy) const
{
    const int x1 = base.left() + int(std::lround(left * dx));
    const int y1 = base.top() + int(std::lround(top * dy));
    const int x2 = base.left() + base.width() + int(std::lround(right * dx));
    const int y2 = base.top() + base.height() + int(std::lround(bottom * dy));
    return QRect(x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1));
}

const ControlTemplate* DialogTemplate::control(int controlId) const
{
    for (const ControlTemplate& c : controls) {
        if (c.id == controlId)
            return &c;
    }
    return nullptr;
}

DialogTemplate DialogTemplate::parse(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        fail(QStringLiteral("dialog template: ") + error.errorString());
    const QJsonObject root = document.object();

    DialogTemplate result;
    result.id = root.value(QLatin1String("id")).toInt();
    result.caption = root.value(QLatin1String("caption")).toString();
    const QJsonArray size = root.value(QLatin1String("size")).toArray();
    if (size.size() != 2 || size[0].toInt() <= 0 || size[1].toInt() <= 0)
        fail(QStringLiteral("dialog template %1: bad size").arg(result.id));
    result.size = QSize(size[0].toInt(), size[1].toInt());
    const QJsonObject font = root.value(QLatin1String("font")).toObject();
    result.fontFamily = font.value(QLatin1String("family")).toString();
    result.fontPointSize = font.value(QLatin1String("pointSize")).toInt(8);
    const QJsonArray style = root.value(QLatin1String("style")).toArray();
    for (const QJsonValue& s : style) {
        const QString word = s.toString();
        if (word == QLatin1String("sizable"))
            result.resizable = true;
        else if (word == QLatin1String("minimizeBox"))
            result.minimizeBox = true;
        else if (word == QLatin1String("maximizeBox"))
            result.maximizeBox = true;
    }

    for (const QJsonValue& value : root.value(QLatin1String("controls")).toArray()) {
        const QJsonObject object = value.toObject();
        ControlTemplate control;
        control.id = object.value(QLatin1String("id")).toInt();
        const QString what =
            QStringLiteral("dialog template %1, control %2").arg(result.id).arg(control.id);
        if (result.control(control.id))
            fail(what + QStringLiteral(": id used twice"));
        control.kind = kindFromName(object.value(QLatin1String("kind")).toString());
        control.name = object.value(QLatin1String("name")).toString();
        if (control.name.isEmpty())
            control.name = QStringLiteral("control%1").arg(control.id);
        control.caption = object.value(QLatin1String("caption")).toString();
        control.rect = rectFrom(object.value(QLatin1String("rect")), what);
        control.anchors = anchorsFrom(object.value(QLatin1String("anchors")), what);
        for (const QJsonValue& flag : object.value(QLatin1String("flags")).toArray())
            control.flags << flag.toString();
        control.accessibleName = object.value(QLatin1String("accessibleName")).toString();
        if (control.accessibleName.isEmpty())
            control.accessibleName = QString(control.caption).remove(QLatin1Char('&')).trimmed();
        control.description = object.value(QLatin1String("description")).toString();
        result.controls.push_back(std::move(control));
    }
    return result;
}

const DialogTemplate& DialogTemplate::get(int templateId)
{
    static std::map<int, std::unique_ptr<DialogTemplate>> cache;
    auto found = cache.find(templateId);
    if (found != cache.end())
        return *found->second;
    QFile file(QStringLiteral(":/quorvel/dialogs/dialog%1.json").arg(templateId));
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("dialog template %1 is missing").arg(templateId));
    auto parsed = std::make_unique<DialogTemplate>(parse(file.readAll()));
    return *cache.emplace(templateId, std::move(parsed)).first->second;
}
