#pragma once

#include <QDateTime>
#include <QString>
#include <atomic>
#include <memory>

#include "RtObject.h"

// A test double over the runtime's objects that counts those alive, so that a test can prove
// that a load keeps none: the model reaches every runtime object through one of these, and every
// object handed out through a counted one is counted too. The runtime itself keeps no count.
namespace counting_detail {

inline std::atomic<long> live{0};

class Counted {
public:
    Counted() { ++live; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    ~Counted() { --live; }
};

std::unique_ptr<rt::Object> counted(std::unique_ptr<rt::Object> inner);

class Collection final : public rt::Collection {
public:
    explicit Collection(std::unique_ptr<rt::Collection> inner) : inner_(std::move(inner)) {}
    int count() const override { return inner_->count(); }
    std::unique_ptr<rt::Object> item(int position) const override {
        return counted(inner_->item(position));
    }
    int indexOf(const char* member, const QString& value) const override {
        return inner_->indexOf(member, value);
    }

private:
    Counted counted_;
    std::unique_ptr<rt::Collection> inner_;
};

class Object final : public rt::Object {
public:
    explicit Object(std::unique_ptr<rt::Object> inner) : inner_(std::move(inner)) {}

    QString typeName() const override { return inner_->typeName(); }
    const void* identity() const override { return inner_->identity(); }
    QString text(const char* m) const override { return inner_->text(m); }
    qint64 integer(const char* m) const override { return inner_->integer(m); }
    bool flag(const char* m) const override { return inner_->flag(m); }
    double real(const char* m) const override { return inner_->real(m); }
    QDateTime dateTime(const char* m) const override { return inner_->dateTime(m); }
    std::unique_ptr<rt::Object> object(const char* m) const override {
        return counted(inner_->object(m));
    }
    std::unique_ptr<rt::Collection> collection(const char* m) const override {
        auto inner = inner_->collection(m);
        if (!inner) return nullptr;
        return std::make_unique<Collection>(std::move(inner));
    }
    QString conditionFormula(qint16 n) const override { return inner_->conditionFormula(n); }
    std::unique_ptr<rt::Object> openSubreport() const override {
        return counted(inner_->openSubreport());
    }
    bool testConnectivity() const override { return inner_->testConnectivity(); }
    QString connectionProperty(const QString& name) const override {
        return inner_->connectionProperty(name);
    }
    void setConnectionProperty(const QString& name, const QString& value) override {
        inner_->setConnectionProperty(name, value);
    }
    void setFlag(const char* m, bool value) override { inner_->setFlag(m, value); }

private:
    Counted counted_;
    std::unique_ptr<rt::Object> inner_;
};

inline std::unique_ptr<rt::Object> counted(std::unique_ptr<rt::Object> inner) {
    if (!inner) return nullptr;
    return std::make_unique<Object>(std::move(inner));
}

}  // namespace counting_detail

// `inner` behind the counting double.
inline std::unique_ptr<rt::Object> countedRuntime(std::unique_ptr<rt::Object> inner) {
    return counting_detail::counted(std::move(inner));
}

// The counted runtime objects alive now.
inline long liveRuntimeObjects() { return counting_detail::live.load(); }
