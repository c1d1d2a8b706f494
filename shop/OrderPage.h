#pragma once

#include <QString>

// What a page of a shop's order list says about the next page. The whole text is checked to
// be one JSON value, but only the member path meta, links, next is kept: the page itself
// travels to the database as received, so no document of it is built.
class OrderPage {
public:
    // Raises a failure when the text is not one JSON value, or when that value is not an object.
    explicit OrderPage(const QString& bodyText);

    // Whether meta.links.next is the literal null; any other value means another page follows.
    // Raises a failure naming the step of the path that the page lacks.
    bool isLast() const;

    // How far the path meta, links, next was found, each step taken from the first member of
    // its name in an object.
    enum class Next { NoMeta, NoLinks, Absent, Null, Present };

private:
    Next next_ = Next::NoMeta;
};
