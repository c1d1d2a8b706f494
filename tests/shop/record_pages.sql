-- Replaces the page-logging function by one that keeps every page it is given, in order,
-- so that tests see exactly what reached the database.
drop function if exists o_cartovia_log_ins(text, text);

create table pagini (
    nr        serial primary key,
    nume_site text,
    pjson     text,
    sesiune   integer default pg_backend_pid()
);

create function o_cartovia_log_ins(pnumesite text, pjson text)
returns table (comenzi integer, comenzi_noi integer)
language plpgsql as $$
begin
    insert into pagini (nume_site, pjson) values (pnumesite, pjson);
end $$;
