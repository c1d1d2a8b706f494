#pragma once

#include <QString>
#include <rapidjson/document.h>

// One page of a shop's order list, parsed from its body text. It is read only for whether
// another page follows; the page itself travels to the database as received.
class OrderPage {
public:
    // Raises a failure when the text is not one JSON value, or when that value is not an object.
    explicit OrderPage(const QString& bodyText);
    OrderPage(const OrderPage&) = delete;
    OrderPage& operator=(const OrderPage&) = delete;

    // Whether meta.links.next is the literal null; any other value means another page follows.
    // Raises a failure naming the step of the path that the page lacks.
    bool isLast() const;

private:
    rapidjson::Document document_;
};
