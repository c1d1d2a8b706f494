-- Central company directory: where each company's ERP database lives and how its
-- operators' passwords are stored. No key on nume_firma: the directory allows two rows
-- with one name, and the sign-in takes the first row the server returns.
create table m_firma (
    nume_firma   varchar(200) not null,
    ip           text,
    port         integer,
    db_name      text,
    activ        boolean,
    m_site       boolean not null,
    pw_hash_type varchar(23)
);
