#include "db/Query.h"

#include "core/Failure.h"
#include "db/RowUpdate.h"

namespace wc::db {

Query::Query(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {}

Connection& Query::connection() const {
    if (!connection_)
        throw Failure(name_ + QStringLiteral(": Connection not defined"));
    return *connection_;
}

Query::~Query() {
    if (master_)
        std::erase(master_->details_, this);
    for (Query* detail : details_)
        detail->master_ = nullptr;
}

void Query::setSql(const QStringList& lines) {
    sql_ = lines.join(QLatin1Char('\n'));
    parsed_ = parseSql(sql_);
    params_.reset(parsed_.names);
}

void Query::setKeyFields(const QString& semicolonList) {
    keyFields_ = semicolonList.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

void Query::setMaster(Query* master, const QString& masterFields, const QString& detailFields) {
    Q_UNUSED(detailFields) // the statement itself selects the detail rows
    if (master_)
        std::erase(master_->details_, this);
    master_ = master;
    masterFields_ = masterFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (master_)
        master_->details_.push_back(this);
}

void Query::requireOpen() const {
    if (!isOpen())
        throw Failure(name_ + QStringLiteral(": Cannot perform this operation on a closed dataset"));
}

void Query::requireEdit() const {
    if (state_ != State::Edit)
        throw Failure(name_ + QStringLiteral(": Dataset not in edit or insert mode"));
}

void Query::takeMasterValues() {
    if (!master_)
        return;
    for (int i = 0; i < params_.count(); ++i) {
        Param& param = params_.at(i);
        if (!masterFields_.contains(param.name(), Qt::CaseInsensitive))
            continue;
        const Field* source = master_->isOpen() ? master_->findField(param.name()) : nullptr;
        if (!source)
            continue;
        const bool null = master_->current_ < 0 || source->isNull();
        param.setWire(paramTypeFor(source->kind()), null,
                      null ? QString() : QString::fromUtf8(master_->rawValue(master_->current_, source->column())));
    }
}

void Query::bindFields() {
    const PGresult* result = result_.get();
    const bool dynamic = fields_.empty() || !ownFields_.empty();
    if (dynamic) {
        fields_.clear();
        ownFields_.clear();
        for (int c = 0; c < PQnfields(result); ++c)
            ownFields_.push_back(std::make_unique<Field>(*this, QString::fromUtf8(PQfname(result, c)),
                                                         kindForType(PQftype(result, c))));
    }
    std::vector<int> columns;
    for (const Field* field : fields_) {
        const int column = PQfnumber(result, ('"' + field->name() + '"').toUtf8().constData());
        if (column < 0)
            throw Failure(name_ + QStringLiteral(": Field '%1' not found").arg(field->name()));
        const unsigned type = PQftype(result, column);
        if (!kindAccepts(field->kind(), type))
            throw Failure(name_ + QStringLiteral(": Type mismatch for field '%1', expecting: %2 actual: %3")
                                      .arg(field->name(), kindName(field->kind()), typeKindName(type)));
        columns.push_back(column);
    }
    for (size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->column_ = columns[i];
}

void Query::fetch() {
    SharedResult fetched;
    {
        Connection::Hold hold(connection());
        fetched = SharedResult(connection().execute(parsed_.text, params_.wire()).release(), PgResultClearer());
    }
    SharedResult previous = std::exchange(result_, fetched);
    try {
        bindFields();
    } catch (...) {
        result_ = previous;
        throw;
    }
    posted_.clear();
    pending_.clear();
    tableKey_.reset();
}

void Query::open() {
    if (isOpen())
        return;
    takeMasterValues();
    fetch();
    state_ = State::Browse;
    current_ = recordCount() > 0 ? 0 : -1;
    eof_ = current_ < 0;
    emit afterOpen();
    emit currentRowChanged(current_);
}

void Query::close() {
    if (!isOpen())
        return;
    state_ = State::Inactive;
    result_.reset();
    posted_.clear();
    pending_.clear();
    current_ = -1;
    eof_ = true;
    emit afterClose();
    emit currentRowChanged(-1);
}

QStringList Query::currentKey() const {
    QStringList key;
    for (const QString& name : keyFields_) {
        const Field* field = findField(name);
        const char* v = field && current_ >= 0 ? rawValue(current_, field->column()) : nullptr;
        key << (v ? QString::fromUtf8(v) : QString());
    }
    return key;
}

void Query::finishPendingEdit() {
    if (state_ == State::Edit)
        post();
}

void Query::refresh() {
    requireOpen();
    finishPendingEdit();
    const QStringList key = currentKey();
    const int oldRow = current_;
    fetchAgain();
    if (oldRow >= 0 && !keyFields_.isEmpty())
        locate(keyFields_, key);
    else if (oldRow >= 0 && recordCount() > 0)
        current_ = std::min(oldRow, recordCount() - 1);
    announceReRead();
    for (Query* detail : details_)
        detail->masterMoved();
}

void Query::fetchAgain() {
    finishPendingEdit();
    takeMasterValues();
    fetch();
    current_ = recordCount() > 0 ? 0 : -1;
}

void Query::announceReRead() {
    eof_ = current_ < 0;
    emit afterRefresh();
    emit currentRowChanged(current_);
}

int Query::recordCount() const { return result_ ? PQntuples(result_.get()) : 0; }

void Query::moveTo(int row) {
    requireOpen();
    eof_ = false;
    if (row >= recordCount()) {
        row = recordCount() - 1;
        eof_ = true;
    }
    if (row < 0)
        row = recordCount() > 0 ? 0 : -1;
    if (row == current_)
        return;
    finishPendingEdit();
    current_ = row;
    emit currentRowChanged(current_);
    for (Query* detail : details_)
        detail->masterMoved();
}

void Query::setRecNo(int row) { moveTo(row); }
void Query::first() { moveTo(0); }
void Query::next() { moveTo(current_ + 1); }
void Query::prior() { moveTo(std::max(current_ - 1, 0)); }
void Query::last() { moveTo(recordCount() - 1); }

bool Query::locate(const QStringList& fields, const QStringList& values) {
    requireOpen();
    std::vector<std::pair<int, QByteArray>> wanted;
    for (int i = 0; i < fields.size(); ++i)
        wanted.emplace_back(fieldByName(fields[i]).column(), values.value(i).toUtf8());
    for (int row = 0; row < recordCount(); ++row) {
        bool match = true;
        for (const auto& [column, value] : wanted) {
            const char* v = rawValue(row, column);
            if (!v || value != v) {
                match = false;
                break;
            }
        }
        if (match) {
            if (row != current_) {
                finishPendingEdit();
                current_ = row;
            }
            return true;
        }
    }
    return false;
}

void Query::masterMoved() {
    if (!isOpen())
        return;
    fetchAgain();
    announceReRead();
}

Field* Query::findField(const QString& name) const {
    for (Field* field : fields_)
        if (field->name().compare(name, Qt::CaseInsensitive) == 0)
            return field;
    return nullptr;
}

Field& Query::fieldByName(const QString& name) {
    if (Field* field = findField(name))
        return *field;
    throw Failure(name_ + QStringLiteral(": Field '%1' not found").arg(name));
}

const char* Query::rawValue(int row, int column) const {
    if (!result_ || row < 0 || column < 0)
        return nullptr;
    if (state_ == State::Edit && row == current_) {
        const auto pending = pending_.find(column);
        if (pending != pending_.end())
            return pending->second ? pending->second->constData() : nullptr;
    }
    if (!posted_.empty()) {
        const auto posted = posted_.find({row, column});
        if (posted != posted_.end())
            return posted->second ? posted->second->constData() : nullptr;
    }
    const PGresult* result = result_.get();
    return PQgetisnull(result, row, column) ? nullptr : PQgetvalue(result, row, column);
}

void Query::edit() {
    requireOpen();
    if (state_ == State::Edit)
        return;
    if (current_ < 0)
        throw Failure(name_ + QStringLiteral(": Cannot perform this operation on an empty dataset"));
    state_ = State::Edit;
    pending_.clear();
}

void Query::setEditValue(int column, std::optional<QByteArray> value) {
    requireEdit();
    pending_[column] = std::move(value);
}

void Query::post() {
    requireEdit();
    if (!pending_.empty()) {
        Connection::Hold hold(connection());
        if (!tableKey_)
            tableKey_ = std::make_unique<TableKey>(loadTableKey(connection(), result_.get(), pending_.begin()->first));
        const int touched =
            updateRow(connection(), result_.get(), *tableKey_, pending_, [this](int column) -> std::optional<QByteArray> {
                const auto posted = posted_.find({current_, column});
                if (posted != posted_.end())
                    return posted->second;
                const PGresult* result = result_.get();
                if (PQgetisnull(result, current_, column))
                    return std::nullopt;
                return QByteArray(PQgetvalue(result, current_, column));
            });
        if (touched != 1)
            throw Failure(QStringLiteral("Update failed. Found %1 records").arg(touched));
        for (auto& [column, value] : pending_)
            posted_[{current_, column}] = std::move(value);
    }
    pending_.clear();
    state_ = State::Browse;
    emit rowChanged(current_);
}

void Query::cancel() {
    if (state_ != State::Edit)
        return;
    pending_.clear();
    state_ = State::Browse;
    emit rowChanged(current_);
}

} // namespace wc::db
