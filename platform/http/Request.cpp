#include "http/Request.h"

#include <utility>

namespace wc::http {

void Request::setResource(QString resource) {
    resource_ = std::move(resource);
}

void Request::addHeader(QByteArray name, QByteArray value) {
    headers_.append({std::move(name), std::move(value)});
}

void Request::addQuery(QString name, QString value) {
    query_.append({std::move(name), std::move(value)});
}

void Request::clearParams() {
    headers_.clear();
    query_.clear();
}

} // namespace wc::http
