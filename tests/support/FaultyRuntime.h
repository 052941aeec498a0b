#pragma once

#include <QSet>
#include <memory>

#include "RtObject.h"

// A test double over any runtime object: reads of the chosen members fail, on this object and
// on every object reached through it. A member is chosen as "member" (on every object) or as
// "Type.member" (only on objects of that type, e.g. "Report.PaperSize"). Chosen collection items
// are no object, as a runtime may hand out: "Type.collection:position" (e.g.
// "ChartObject.SummaryFields:2").
class FaultyRuntime {
public:
    explicit FaultyRuntime(QSet<QString> failing, QSet<QString> missing = {})
        : failing_(std::move(failing)), missing_(std::move(missing)) {}

    std::unique_ptr<rt::Object> wrap(std::unique_ptr<rt::Object> inner) const;

    bool fails(const QString& type, const char* member) const {
        const QString m = QString::fromLatin1(member);
        return failing_.contains(m) || failing_.contains(type + u'.' + m);
    }

    bool missing(const QString& collection, int position) const {
        return missing_.contains(collection + u':' + QString::number(position));
    }

private:
    QSet<QString> failing_;
    QSet<QString> missing_;
};

namespace faulty_detail {

class Collection final : public rt::Collection {
public:
    Collection(const FaultyRuntime& faults, std::unique_ptr<rt::Collection> inner, QString name)
        : faults_(faults), inner_(std::move(inner)), name_(std::move(name)) {}
    int count() const override { return inner_->count(); }
    std::unique_ptr<rt::Object> item(int position) const override {
        auto item = faults_.wrap(inner_->item(position));
        return faults_.missing(name_, position) ? nullptr : std::move(item);
    }

private:
    const FaultyRuntime& faults_;
    std::unique_ptr<rt::Collection> inner_;
    QString name_;  // "Type.collection"
};

class Object final : public rt::Object {
public:
    Object(const FaultyRuntime& faults, std::unique_ptr<rt::Object> inner)
        : faults_(faults), inner_(std::move(inner)) {}

    QString typeName() const override { return inner_->typeName(); }
    const void* identity() const override { return inner_->identity(); }
    QString text(const char* m) const override { return check(m), inner_->text(m); }
    qint64 integer(const char* m) const override { return check(m), inner_->integer(m); }
    bool flag(const char* m) const override { return check(m), inner_->flag(m); }
    double real(const char* m) const override { return check(m), inner_->real(m); }
    QDateTime dateTime(const char* m) const override { return check(m), inner_->dateTime(m); }
    std::unique_ptr<rt::Object> object(const char* m) const override {
        check(m);
        return faults_.wrap(inner_->object(m));
    }
    std::unique_ptr<rt::Collection> collection(const char* m) const override {
        check(m);
        return std::make_unique<Collection>(faults_, inner_->collection(m),
                                            inner_->typeName() + u'.' + QString::fromLatin1(m));
    }
    QString conditionFormula(qint16 n) const override {
        check("conditionFormula");
        return inner_->conditionFormula(n);
    }
    std::unique_ptr<rt::Object> openSubreport() const override {
        check("openSubreport");
        return faults_.wrap(inner_->openSubreport());
    }
    bool testConnectivity() const override {
        check("testConnectivity");
        return inner_->testConnectivity();
    }
    QString connectionProperty(const QString& name) const override {
        check("connectionProperty");
        return inner_->connectionProperty(name);
    }
    void setConnectionProperty(const QString& name, const QString& value) override {
        inner_->setConnectionProperty(name, value);
    }
    void setFlag(const char* m, bool value) override { inner_->setFlag(m, value); }

private:
    void check(const char* member) const {
        if (faults_.fails(inner_->typeName(), member)) {
            throw rt::Error(rt::kErrRuntimeFailure,
                            QStringLiteral("injected failure of %1.%2")
                                .arg(inner_->typeName(), QString::fromLatin1(member)));
        }
    }

    const FaultyRuntime& faults_;
    std::unique_ptr<rt::Object> inner_;
};

}  // namespace faulty_detail

inline std::unique_ptr<rt::Object> FaultyRuntime::wrap(std::unique_ptr<rt::Object> inner) const {
    if (!inner) return nullptr;
    return std::make_unique<faulty_detail::Object>(*this, std::move(inner));
}
