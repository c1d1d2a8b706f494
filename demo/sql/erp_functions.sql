-- Stored functions of the ERP behind wCartovia's order import. Each call is one statement,
-- so a raised error undoes everything the call did.

-- Records every order of one page of a shop's order list in log_cartovia.
-- A page: {"data": [order, ...], "meta": {...}}; an order carries at least "id".
-- Storing a page again adds nothing: an order already made into a customer order is left
-- as it is, any other order takes the page's content only when that content changed.
create or replace function o_cartovia_log_ins(pnumesite text, pjson text)
returns table (comenzi integer, comenzi_noi integer)
language plpgsql as $$
declare
    v_pagina jsonb;
    v_comanda jsonb;
    v_poz integer := 0;
    v_id bigint;
    v_data date;
    v_noua boolean;
begin
    comenzi := 0;
    comenzi_noi := 0;
    if coalesce(pnumesite, '') = '' then
        raise exception 'Numele site-ului lipseste';
    end if;
    if length(pnumesite) > 100 then
        raise exception 'Numele site-ului are peste 100 de caractere: %', pnumesite;
    end if;
    begin
        v_pagina := pjson::jsonb;
    exception when others then
        raise exception 'Pagina primita de la site-ul % nu este JSON valid', pnumesite;
    end;
    if jsonb_typeof(v_pagina -> 'data') is distinct from 'array' then
        raise exception 'Pagina primita de la site-ul % nu contine lista de comenzi "data"', pnumesite;
    end if;

    for v_comanda in select value from jsonb_array_elements(v_pagina -> 'data') loop
        v_poz := v_poz + 1;
        if jsonb_typeof(v_comanda) is distinct from 'object' then
            raise exception 'Pozitia % din pagina site-ului % nu este o comanda', v_poz, pnumesite;
        end if;
        if jsonb_typeof(v_comanda -> 'id') is null or jsonb_typeof(v_comanda -> 'id') = 'null' then
            raise exception 'Comanda de pe pozitia % din pagina site-ului % nu are id', v_poz, pnumesite;
        end if;
        begin
            v_id := (v_comanda ->> 'id')::bigint;
        exception when others then
            raise exception 'Comanda de pe pozitia % din pagina site-ului % are id-ul invalid: %',
                v_poz, pnumesite, v_comanda ->> 'id';
        end;
        begin
            -- The shop's local date: the offset of the time stamp is left aside.
            v_data := (v_comanda ->> 'date_created')::timestamp::date;
        exception when others then
            raise exception 'Comanda % a site-ului % are data invalida: %',
                v_id, pnumesite, v_comanda ->> 'date_created';
        end;

        insert into log_cartovia as l (nume_site, id_doc_site, nr_doc_site, date_created, cmd_c_json, data_log)
        values (pnumesite, v_id, v_comanda ->> 'number', v_data, v_comanda::text, now())
        on conflict (nume_site, id_doc_site) do update
            set nr_doc_site = excluded.nr_doc_site,
                date_created = excluded.date_created,
                cmd_c_json = excluded.cmd_c_json,
                data_log = excluded.data_log
            where l.id_doc_cmd_c is null
              and l.cmd_c_json is distinct from excluded.cmd_c_json
        returning (xmax = 0) into v_noua;

        comenzi := comenzi + 1;
        if v_noua then
            comenzi_noi := comenzi_noi + 1;
        end if;
    end loop;
    return next;
end;
$$;

-- Finds the customer of an order by e-mail (or by name when the order has no e-mail),
-- and adds it when the ERP does not know it yet.
create or replace function o_cartovia_partener(pclient jsonb, pnrcomanda text)
returns bigint
language plpgsql as $$
declare
    v_nume text;
    v_email text;
    v_adresa jsonb;
    v_id bigint;
begin
    if jsonb_typeof(pclient) is distinct from 'object' then
        raise exception 'Comanda % nu are client', pnrcomanda;
    end if;
    v_nume := concat_ws(' ', nullif(trim(pclient ->> 'first_name'), ''), nullif(trim(pclient ->> 'last_name'), ''));
    if v_nume = '' then
        v_nume := coalesce(trim(pclient ->> 'company'), '');
    end if;
    if v_nume = '' then
        raise exception 'Clientul comenzii % nu are nume', pnrcomanda;
    end if;
    v_nume := left(v_nume, 100);
    v_email := nullif(lower(trim(pclient ->> 'email')), '');

    if v_email is not null then
        select id_partener into v_id from partener where lower(email) = v_email order by id_partener limit 1;
    else
        select id_partener into v_id from partener where partener = v_nume and email is null
        order by id_partener limit 1;
    end if;
    if v_id is not null then
        return v_id;
    end if;

    v_adresa := case when jsonb_typeof(pclient -> 'address') = 'object' then pclient -> 'address' else '{}' end;
    insert into partener (partener, email, telefon, adresa, localitate, judet, cod_postal)
    values (v_nume, left(v_email, 100), left(pclient ->> 'phone', 30), v_adresa ->> 'street',
            left(v_adresa ->> 'city', 50), left(v_adresa ->> 'county', 50), left(v_adresa ->> 'postcode', 10))
    returning id_partener into v_id;
    return v_id;
end;
$$;

-- Turns one logged shop order into a customer order: a header in the shop's series with
-- the next number, and one line per line item.
create or replace function o_cartovia_doc_cmd_c_ins(pnumesite text, piddocsite bigint)
returns table (id_doc bigint, nr_doc varchar(15))
language plpgsql as $$
declare
    v_log log_cartovia%rowtype;
    v_cfg config_cartovia%rowtype;
    v_cmd jsonb;
    v_nr_comanda text;
    v_id_partener bigint;
    v_nr integer;
    v_linie jsonb;
    v_nr_linie integer := 0;
    v_sku text;
    v_articol articol%rowtype;
    v_cant double precision;
    v_pret double precision;
    v_total double precision := 0;
begin
    -- The lock keeps two simultaneous imports of one order from both making a document.
    select * into v_log from log_cartovia
    where nume_site = pnumesite and id_doc_site = piddocsite
    for update;
    if not found then
        raise exception 'Comanda % a site-ului % nu exista in log', piddocsite, pnumesite;
    end if;
    v_nr_comanda := coalesce(nullif(v_log.nr_doc_site, ''), piddocsite::text);
    if v_log.id_doc_cmd_c is not null then
        select d.zel_serie_cmd_c || ' ' || d.zel_nr_doc into nr_doc from doc_cmd_c d
        where d.id_doc_cmd_c = v_log.id_doc_cmd_c;
        raise exception 'Comanda % a site-ului % a fost deja importata (comanda client %)',
            v_nr_comanda, pnumesite, nr_doc;
    end if;

    select * into v_cfg from config_cartovia where nume_site = pnumesite;
    if not found then
        raise exception 'Site-ul % nu este configurat', pnumesite;
    end if;
    if coalesce(trim(v_cfg.zel_serie_cmd_c), '') = '' then
        raise exception 'Seria comenzilor client nu este configurata pentru site-ul %', pnumesite;
    end if;

    begin
        v_cmd := v_log.cmd_c_json::jsonb;
    exception when others then
        v_cmd := null;
    end;
    if jsonb_typeof(v_cmd) is distinct from 'object' then
        raise exception 'Comanda % a site-ului % nu are continut valid', v_nr_comanda, pnumesite;
    end if;
    if jsonb_typeof(v_cmd -> 'line_items') is distinct from 'array'
       or jsonb_array_length(v_cmd -> 'line_items') = 0 then
        raise exception 'Comanda % nu are produse', v_nr_comanda;
    end if;

    v_id_partener := o_cartovia_partener(v_cmd -> 'customer', v_nr_comanda);

    insert into serie_doc as s (zel_tip_doc, zel_serie, ultim_nr)
    values ('CMDC', v_cfg.zel_serie_cmd_c, 1)
    on conflict (zel_tip_doc, zel_serie) do update set ultim_nr = s.ultim_nr + 1
    returning ultim_nr into v_nr;

    insert into doc_cmd_c (zel_tip_doc, zel_serie_cmd_c, zel_nr_doc, zel_data_doc, id_partener, zel_emitent, obs)
    values ('CMDC', v_cfg.zel_serie_cmd_c, v_nr::text, current_date, v_id_partener, v_cfg.zel_emitent,
            'Comanda ' || v_nr_comanda || ' din ' || pnumesite)
    returning id_doc_cmd_c into id_doc;

    for v_linie in select value from jsonb_array_elements(v_cmd -> 'line_items') loop
        v_nr_linie := v_nr_linie + 1;
        v_sku := nullif(trim(v_linie ->> 'sku'), '');
        if v_sku is null then
            raise exception 'Produsul "%" din comanda % nu are cod', coalesce(v_linie ->> 'name', ''), v_nr_comanda;
        end if;
        select * into v_articol from articol where cod_articol = v_sku;
        if not found then
            raise exception 'Articol inexistent: %', v_sku;
        end if;
        begin
            v_cant := (v_linie ->> 'quantity')::double precision;
            v_pret := coalesce((v_linie ->> 'price')::double precision, v_articol.pret, 0);
        exception when others then
            v_cant := null;
        end;
        if v_cant is null or v_cant <= 0 or v_pret < 0 then
            raise exception 'Cantitate sau pret invalid la articolul % din comanda %', v_sku, v_nr_comanda;
        end if;
        insert into doc_cmd_c_linie (id_doc_cmd_c, nr_linie, id_articol, cantitate, pret, valoare)
        values (id_doc, v_nr_linie, v_articol.id_articol, v_cant, v_pret, round((v_cant * v_pret)::numeric, 2));
        v_total := v_total + v_cant * v_pret;
    end loop;

    update doc_cmd_c set valoare = round(v_total::numeric, 2) where id_doc_cmd_c = id_doc;
    update log_cartovia set id_doc_cmd_c = id_doc
    where nume_site = pnumesite and id_doc_site = piddocsite;
    nr_doc := v_nr::text;
    return next;
end;
$$;
