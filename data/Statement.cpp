#include "Statement.h"

#include "Connection.h"
#include "Cp1252.h"
#include "DatabaseError.h"
#include "FbStatus.h"
#include "Transaction.h"

#include <ibase.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <utility>

namespace zandoval {

namespace {

constexpr unsigned kMaxVarying = 32765;

bool inteiroExato(unsigned type)
{
    return type == SQL_SHORT || type == SQL_LONG || type == SQL_INT64;
}

bool texto(unsigned type)
{
    return type == SQL_TEXT || type == SQL_VARYING;
}

template <class T> void escrever(std::vector<unsigned char>& buf, unsigned offset, const T& v)
{
    std::memcpy(buf.data() + offset, &v, sizeof v);
}

template <class T> T ler(const std::vector<unsigned char>& buf, unsigned offset)
{
    T v;
    std::memcpy(&v, buf.data() + offset, sizeof v);
    return v;
}

ISC_TIME codificarHora(Firebird::IUtil* util, const TimeOfDay& t)
{
    return util->encodeTime(static_cast<unsigned>(t.hours), static_cast<unsigned>(t.minutes),
                            static_cast<unsigned>(t.seconds), static_cast<unsigned>(t.fractions));
}

ISC_DATE codificarData(Firebird::IUtil* util, const Date& d)
{
    return util->encodeDate(static_cast<unsigned>(static_cast<int>(d.year())),
                            static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
}

Date decodificarData(Firebird::IUtil* util, ISC_DATE v)
{
    unsigned a = 0, m = 0, d = 0;
    util->decodeDate(v, &a, &m, &d);
    return Date{std::chrono::year{static_cast<int>(a)}, std::chrono::month{m}, std::chrono::day{d}};
}

TimeOfDay decodificarHora(Firebird::IUtil* util, ISC_TIME v)
{
    unsigned h = 0, mi = 0, s = 0, f = 0;
    util->decodeTime(v, &h, &mi, &s, &f);
    return {static_cast<int>(h), static_cast<int>(mi), static_cast<int>(s), static_cast<int>(f)};
}

// How one parameter travels: its wire type, length and scale.
struct Envio
{
    unsigned type;
    unsigned length;
    int scale;
    std::string bytes; // texts, already in Windows-1252
    std::int64_t inteiro = 0;
    double real = 0;
};

} // namespace

Statement::Statement(Transaction& transaction, const std::string& sql)
    : m_connection(transaction.connection())
{
    Firebird::IAttachment* att = m_connection.attachment();
    FbStatus st(m_connection.master());
    try {
        m_connection.countStatement();
        const std::string texto1252 = paraCp1252(sql);
        m_statement = att->prepare(&st, transaction.handle(), 0, texto1252.c_str(),
                                   static_cast<unsigned>(m_connection.settings().sqlDialect),
                                   Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        m_returnsRows = (m_statement->getFlags(&st) & Firebird::IStatement::FLAG_HAS_CURSOR) != 0;
        m_inMeta = m_statement->getInputMetadata(&st);
        m_outMeta = m_statement->getOutputMetadata(&st);
        auto descrever = [&](Firebird::IMessageMetadata* meta, std::vector<FieldInfo>& campos) {
            const unsigned n = meta->getCount(&st);
            campos.resize(n);
            for (unsigned i = 0; i < n; ++i) {
                FieldInfo& f = campos[i];
                f.name = meta->getAlias(&st, i);
                f.relation = meta->getRelation(&st, i);
                f.type = meta->getType(&st, i) & ~1u;
                f.subType = static_cast<unsigned>(meta->getSubType(&st, i));
                f.length = meta->getLength(&st, i);
                f.scale = meta->getScale(&st, i);
                f.charSet = meta->getCharSet(&st, i);
            }
        };
        descrever(m_inMeta, m_parameters);
        descrever(m_outMeta, m_columns);
        std::vector<std::string> nomes;
        for (const auto& c : m_columns) {
            nomes.push_back(c.name);
            m_outOffsets.push_back(
                m_outMeta->getOffset(&st, static_cast<unsigned>(nomes.size() - 1)));
            m_outNullOffsets.push_back(
                m_outMeta->getNullOffset(&st, static_cast<unsigned>(nomes.size() - 1)));
        }
        m_names = std::make_shared<ColumnNames>(std::move(nomes));
        m_outBuffer.assign(m_outMeta->getMessageLength(&st), 0);
    } catch (const Firebird::FbException& e) {
        if (m_inMeta) {
            m_inMeta->release();
            m_inMeta = nullptr;
        }
        if (m_outMeta) {
            m_outMeta->release();
            m_outMeta = nullptr;
        }
        if (m_statement) {
            m_statement->release();
            m_statement = nullptr;
        }
        raise(e, m_connection.util());
    }
}

Statement::~Statement()
{
    close();
    if (m_wireMeta) {
        m_wireMeta->release();
    }
    if (m_inMeta) {
        m_inMeta->release();
    }
    if (m_outMeta) {
        m_outMeta->release();
    }
    if (m_statement && m_connection.connected()) {
        FbStatus st(m_connection.master());
        try {
            m_statement->free(&st);
            m_statement = nullptr;
        } catch (const Firebird::FbException&) {
        }
    }
    if (m_statement) {
        m_statement->release();
    }
}

void Statement::bind(Transaction& transaction, const std::vector<Value>& params)
{
    if (params.size() != m_parameters.size()) {
        throw DatabaseError("O comando espera " + std::to_string(m_parameters.size()) +
                            " parâmetros e recebeu " + std::to_string(params.size()) + ".");
    }
    Firebird::IUtil* util = m_connection.util();
    std::vector<Envio> envios;
    envios.reserve(params.size());
    std::vector<unsigned> assinatura;
    assinatura.reserve(params.size() * 3);
    for (std::size_t i = 0; i < params.size(); ++i) {
        const FieldInfo& p = m_parameters[i];
        const Value& v = params[i];
        Envio e{p.type, p.length, p.scale, {}, 0, 0};
        const auto& s = v.storage();
        if (v.isNull()) {
            // keeps the parameter's own type
        } else if (const auto* t = std::get_if<std::string>(&s)) {
            e.bytes = paraCp1252(*t);
            if (p.type == SQL_BLOB) {
                // written as a blob below
            } else {
                unsigned largura = texto(p.type) ? p.length : 0;
                if (m_cutText && texto(p.type) && e.bytes.size() > largura) {
                    e.bytes.resize(largura);
                }
                if (e.bytes.size() > kMaxVarying) {
                    throw DatabaseError("Texto longo demais para um parâmetro (" +
                                        std::to_string(e.bytes.size()) + " bytes).");
                }
                e.type = SQL_VARYING;
                e.scale = 0;
                e.length = std::max<unsigned>(std::max(largura, 1u),
                                              static_cast<unsigned>(e.bytes.size()));
            }
        } else if (const auto* n = std::get_if<std::int64_t>(&s)) {
            e.type = SQL_INT64, e.length = 8, e.scale = 0, e.inteiro = *n;
        } else if (const auto* r = std::get_if<double>(&s)) {
            if (inteiroExato(p.type) && p.scale < 0) {
                const Decimal d = Decimal::fromDouble(*r, p.scale);
                e.type = SQL_INT64, e.length = 8, e.scale = d.scale, e.inteiro = d.units;
            } else {
                e.type = SQL_DOUBLE, e.length = 8, e.scale = 0, e.real = *r;
            }
        } else if (const auto* d = std::get_if<Decimal>(&s)) {
            const Decimal ajustado =
                inteiroExato(p.type) && p.scale > d->scale ? d->rescaled(p.scale) : *d;
            e.type = SQL_INT64, e.length = 8, e.scale = ajustado.scale, e.inteiro = ajustado.units;
        } else if (std::holds_alternative<Date>(s)) {
            e.type = SQL_TYPE_DATE, e.length = 4, e.scale = 0;
        } else if (std::holds_alternative<TimeOfDay>(s)) {
            e.type = SQL_TYPE_TIME, e.length = 4, e.scale = 0;
        } else if (std::holds_alternative<Timestamp>(s)) {
            e.type = SQL_TIMESTAMP, e.length = 8, e.scale = 0;
        }
        assinatura.push_back(e.type);
        assinatura.push_back(e.length);
        assinatura.push_back(static_cast<unsigned>(e.scale));
        envios.push_back(std::move(e));
    }

    FbStatus st(m_connection.master());
    try {
        if (!m_wireMeta || assinatura != m_wireSignature) {
            Firebird::IMetadataBuilder* b = m_inMeta->getBuilder(&st);
            try {
                for (unsigned i = 0; i < envios.size(); ++i) {
                    const Envio& e = envios[i];
                    const FieldInfo& p = m_parameters[i];
                    if (e.type == p.type && e.length == p.length && e.scale == p.scale) {
                        b->setType(&st, i, e.type | 1u);
                        continue;
                    }
                    b->setType(&st, i, e.type | 1u);
                    b->setLength(&st, i, e.length);
                    b->setScale(&st, i, e.scale);
                    if (e.type == SQL_VARYING && !texto(p.type)) {
                        b->setCharSet(&st, i, 0);
                    }
                }
                Firebird::IMessageMetadata* novo = b->getMetadata(&st);
                b->release();
                if (m_wireMeta) {
                    m_wireMeta->release();
                }
                m_wireMeta = novo;
                m_wireSignature = assinatura;
            } catch (...) {
                b->release();
                throw;
            }
        }
        m_inBuffer.assign(m_wireMeta->getMessageLength(&st), 0);
        for (unsigned i = 0; i < envios.size(); ++i) {
            const Envio& e = envios[i];
            const unsigned off = m_wireMeta->getOffset(&st, i);
            const unsigned nulo = m_wireMeta->getNullOffset(&st, i);
            const Value& v = params[i];
            const std::int16_t indicador = v.isNull() ? -1 : 0;
            escrever(m_inBuffer, nulo, indicador);
            if (v.isNull()) {
                continue;
            }
            const auto& s = v.storage();
            switch (e.type) {
            case SQL_VARYING: {
                const auto n = static_cast<std::uint16_t>(e.bytes.size());
                escrever(m_inBuffer, off, n);
                std::memcpy(m_inBuffer.data() + off + 2, e.bytes.data(), e.bytes.size());
                break;
            }
            case SQL_BLOB: {
                ISC_QUAD id{};
                Firebird::IBlob* blob = m_connection.attachment()->createBlob(
                    &st, transaction.handle(), &id, 0, nullptr);
                for (std::size_t pos = 0; pos < e.bytes.size(); pos += 32768) {
                    const std::size_t n = std::min<std::size_t>(32768, e.bytes.size() - pos);
                    blob->putSegment(&st, static_cast<unsigned>(n), e.bytes.data() + pos);
                }
                blob->close(&st);
                escrever(m_inBuffer, off, id);
                break;
            }
            case SQL_INT64:
                escrever(m_inBuffer, off, static_cast<ISC_INT64>(e.inteiro));
                break;
            case SQL_DOUBLE:
                escrever(m_inBuffer, off, e.real);
                break;
            case SQL_TYPE_DATE:
                escrever(m_inBuffer, off, codificarData(util, std::get<Date>(s)));
                break;
            case SQL_TYPE_TIME:
                escrever(m_inBuffer, off, codificarHora(util, std::get<TimeOfDay>(s)));
                break;
            case SQL_TIMESTAMP: {
                const auto& ts = std::get<Timestamp>(s);
                ISC_TIMESTAMP t{codificarData(util, ts.date), codificarHora(util, ts.time)};
                escrever(m_inBuffer, off, t);
                break;
            }
            default:
                break;
            }
        }
    } catch (const Firebird::FbException& e) {
        raise(e, util);
    }
}

Statement::Message::Message(Message&& o) noexcept
    : m_meta(std::exchange(o.m_meta, nullptr))
    , m_buffer(std::move(o.m_buffer))
{
}

Statement::Message& Statement::Message::operator=(Message&& o) noexcept
{
    if (this != &o) {
        if (m_meta) {
            m_meta->release();
        }
        m_meta = std::exchange(o.m_meta, nullptr);
        m_buffer = std::move(o.m_buffer);
    }
    return *this;
}

Statement::Message::~Message()
{
    if (m_meta) {
        m_meta->release();
    }
}

Statement::Message Statement::encode(Transaction& transaction, const std::vector<Value>& params)
{
    bind(transaction, params);
    Message m;
    m.m_meta = m_wireMeta;
    m.m_meta->addRef();
    m.m_buffer = m_inBuffer;
    return m;
}

void Statement::execute(Transaction& transaction, const Message& message)
{
    FbStatus st(m_connection.master());
    try {
        // The client library only reads the buffer.
        void* dados = message.m_buffer.empty()
                          ? nullptr
                          : const_cast<unsigned char*>(message.m_buffer.data());
        m_statement->execute(&st, transaction.handle(), message.m_meta, dados, nullptr, nullptr);
    } catch (const Firebird::FbException& e) {
        raise(e, m_connection.util());
    }
}

void Statement::execute(Transaction& transaction, const std::vector<Value>& params)
{
    if (m_returnsRows) {
        // A query run for its effect: fetch and drop its rows.
        open(transaction, params);
        while (fetch()) {
        }
        return;
    }
    bind(transaction, params);
    FbStatus st(m_connection.master());
    try {
        m_statement->execute(&st, transaction.handle(), m_wireMeta,
                             m_inBuffer.empty() ? nullptr : m_inBuffer.data(),
                             m_columns.empty() ? nullptr : m_outMeta,
                             m_columns.empty() ? nullptr : m_outBuffer.data());
    } catch (const Firebird::FbException& e) {
        raise(e, m_connection.util());
    }
}

std::uint64_t Statement::executeCounted(Transaction& transaction, const std::vector<Value>& params)
{
    execute(transaction, params);
    if (m_returnsRows) {
        return 0;
    }
    FbStatus st(m_connection.master());
    try {
        return m_statement->getAffectedRecords(&st);
    } catch (const Firebird::FbException& e) {
        raise(e, m_connection.util());
    }
}

void Statement::open(Transaction& transaction, const std::vector<Value>& params)
{
    close();
    bind(transaction, params);
    FbStatus st(m_connection.master());
    try {
        m_cursor =
            m_statement->openCursor(&st, transaction.handle(), m_wireMeta,
                                    m_inBuffer.empty() ? nullptr : m_inBuffer.data(), m_outMeta, 0);
        m_cursorTransaction = &transaction;
    } catch (const Firebird::FbException& e) {
        raise(e, m_connection.util());
    }
}

bool Statement::fetch()
{
    if (!m_cursor) {
        return false;
    }
    FbStatus st(m_connection.master());
    try {
        if (m_cursor->fetchNext(&st, m_outBuffer.data()) != Firebird::IStatus::RESULT_OK) {
            close();
            return false;
        }
    } catch (const Firebird::FbException& e) {
        close();
        raise(e, m_connection.util());
    }
    decodeRow(*m_cursorTransaction);
    return true;
}

void Statement::decodeRow(Transaction& transaction)
{
    Firebird::IUtil* util = m_connection.util();
    m_row.assign(m_columns.size(), Value());
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const FieldInfo& c = m_columns[i];
        if (ler<std::int16_t>(m_outBuffer, m_outNullOffsets[i]) != 0) {
            continue;
        }
        const unsigned off = m_outOffsets[i];
        Value& v = m_row[i];
        switch (c.type) {
        case SQL_TEXT:
            v = deCp1252(std::string_view(reinterpret_cast<const char*>(m_outBuffer.data() + off),
                                          c.length));
            break;
        case SQL_VARYING: {
            const auto n = ler<std::uint16_t>(m_outBuffer, off);
            v = deCp1252(
                std::string_view(reinterpret_cast<const char*>(m_outBuffer.data() + off + 2), n));
            break;
        }
        case SQL_SHORT:
        case SQL_LONG:
        case SQL_INT64: {
            std::int64_t n = 0;
            if (c.type == SQL_SHORT) {
                n = ler<std::int16_t>(m_outBuffer, off);
            } else if (c.type == SQL_LONG) {
                n = ler<std::int32_t>(m_outBuffer, off);
            } else {
                n = ler<std::int64_t>(m_outBuffer, off);
            }
            v = c.scale == 0 ? Value(n) : Value(Decimal{n, c.scale});
            break;
        }
        case SQL_FLOAT:
            v = static_cast<double>(ler<float>(m_outBuffer, off));
            break;
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            v = ler<double>(m_outBuffer, off);
            break;
        case SQL_TYPE_DATE:
            v = decodificarData(util, ler<ISC_DATE>(m_outBuffer, off));
            break;
        case SQL_TYPE_TIME:
            v = decodificarHora(util, ler<ISC_TIME>(m_outBuffer, off));
            break;
        case SQL_TIMESTAMP: {
            const auto t = ler<ISC_TIMESTAMP>(m_outBuffer, off);
            v = Timestamp{decodificarData(util, t.timestamp_date),
                          decodificarHora(util, t.timestamp_time)};
            break;
        }
        case SQL_BOOLEAN:
            v = std::int64_t{m_outBuffer[off] != 0};
            break;
        case SQL_BLOB: {
            ISC_QUAD id = ler<ISC_QUAD>(m_outBuffer, off);
            FbStatus st(m_connection.master());
            std::string bytes;
            try {
                Firebird::IBlob* blob =
                    m_connection.attachment()->openBlob(&st, transaction.handle(), &id, 0, nullptr);
                char pedaco[16384];
                for (;;) {
                    unsigned lidos = 0;
                    const int r = blob->getSegment(&st, sizeof pedaco, pedaco, &lidos);
                    if (r != Firebird::IStatus::RESULT_OK &&
                        r != Firebird::IStatus::RESULT_SEGMENT) {
                        break;
                    }
                    bytes.append(pedaco, lidos);
                }
                blob->close(&st);
            } catch (const Firebird::FbException& e) {
                raise(e, util);
            }
            v = deCp1252(bytes);
            break;
        }
        default:
            break;
        }
    }
}

RowSet Statement::query(Transaction& transaction, const std::vector<Value>& params)
{
    open(transaction, params);
    RowSet r;
    r.columns = m_names;
    while (fetch()) {
        r.rows.push_back(m_row);
    }
    return r;
}

void Statement::close()
{
    if (!m_cursor) {
        return;
    }
    Firebird::IResultSet* c = m_cursor;
    m_cursor = nullptr;
    m_cursorTransaction = nullptr;
    FbStatus st(m_connection.master());
    try {
        c->close(&st);
    } catch (const Firebird::FbException&) {
        c->release();
    }
}

} // namespace zandoval
