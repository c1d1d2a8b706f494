-- Demo content of an ERP database: operators (passwords as typed; erp_demo_company.sql
-- stores them as digests where the company wants that), the application and its rights,
-- the company row, products and the demo shops.

insert into emitent (emitent, emitent_corect, operator_parola, functie, eu_punct_lucru, lang,
                     em_email_adr, tel_mobil, este_emitent, este_operator, discontinued,
                     data_ins, nr_zile_prezentare_doc, proc_comisionar) values
    ('ana', 'Ana Munteanu', 'Cafea#2026', 'Şef vânzări', 'Sediu Bucureşti', 'ro',
     'ana.munteanu@example.ro', '0722000111', true, true, false, date '2024-02-01', 30, 0),
    ('ion', 'Ion Ţăranu', 'ion', 'Operator comenzi', 'Depozit Ploieşti', 'ro',
     'ion.taranu@example.ro', '0722000222', false, true, false, date '2024-05-13', 30, 0),
    ('mihai', 'Mihai Stănescu', 'mihai', 'Contabil', 'Sediu Bucureşti', 'ro',
     'mihai.stanescu@example.ro', '0722000333', false, true, false, date '2023-11-20', 30, 0);

insert into aplicatie_mob (aplicatie_mob, activ, obs) values
    ('wcartovia', true, 'Import comenzi din magazinele Cartovia'),
    ('zelmobil', false, 'Aplicaţia agenţilor de vânzări (dezactivată)');

-- mihai has no right to wCartovia: signing in as mihai shows the refusal for the operator.
insert into aplicatie_mob_emitent (aplicatie_mob, emitent, rol) values
    ('wcartovia', 'ana', 'admin'),
    ('wcartovia', 'ion', 'operator'),
    ('zelmobil', 'mihai', 'agent');

insert into eu (eu, eu_cui, eu_cif, tara, localit, adresa, telefon, email_adr, web_adr, cod_caen,
                metoda_stoc, tip_contabilitate, reg_comert_jud, reg_comert_nr, reg_comert_data,
                data_incep_activitate, da_nu_platitor_tva_in_vama, da_nu_micro_intreprindere,
                pret_cmd_client_cu_tva, rotunjire_avans, proc_avans, cod_siruta, jas_ip, jas_ip_ext) values
    ('Demo SRL', '12345678', 'RO12345678', 'RO', 'Bucureşti', 'Str. Ştirbei Vodă nr. 12', '0213000000',
     'office@example.ro', 'www.example.ro', '4729', 'CMP', 'Partida dubla', 'J40', '1234', date '2015-03-10',
     date '2015-04-01', false, true, true, 0, 40, 179132, '127.0.0.1:8080', 'rapoarte.example.ro:8443');

-- Products: the codes the demo shops sell, except two that the shops have and the ERP has not.
insert into articol (cod_articol, articol, um, pret) values
    ('CAF-001', 'Cafea boabe Brazilia Santos 1 kg', 'buc', 89.90),
    ('CAF-002', 'Cafea măcinată Columbia 250 g', 'buc', 32.50),
    ('CAF-003', 'Cafea boabe Etiopia Yirgacheffe 500 g', 'buc', 74.00),
    ('CAF-004', 'Capsule espresso intens (10 buc)', 'cut', 21.90),
    ('CEA-001', 'Ceai verde Sencha 100 g', 'buc', 18.50),
    ('CEA-002', 'Ceai de tei din Ţara Haţegului 50 g', 'buc', 12.00),
    ('CEA-003', 'Ceai negru Assam 100 g', 'buc', 16.75),
    ('CIO-001', 'Ciocolată amăruie 70% 100 g', 'buc', 11.40),
    ('ACC-001', 'Râşniţă manuală din ceramică', 'buc', 129.00),
    ('ACC-002', 'Filtru V60 din sticlă', 'buc', 64.90),
    ('ACC-003', 'Cană termoizolantă 350 ml', 'buc', 45.00),
    ('ACC-004', 'Ibric de aramă pentru cafea turcească', 'buc', 89.00),
    ('AMB-001', 'Cutie carton transport', 'buc', 2.50);

-- The demo shops, written in the forms operators use (trailing slash, no scheme).
-- magazin-3 has a wrong password: fetching it shows the shop's refusal (401).
-- demo.sh puts the shop server's port in place of 8790 on every start.
insert into config_cartovia (nume_site, base_url, user_name, pass, zel_emitent, zel_serie_cmd_c) values
    ('magazin-1', 'http://127.0.0.1:8790/magazin-1/', 'cartovia1', 'Parola-M1', 'ana', 'WEB1'),
    ('magazin-2', '127.0.0.1:8790/magazin-2', 'cartovia2', 'Parola-M2', 'ana', 'WEB2'),
    ('magazin-3', 'http://127.0.0.1:8790/magazin-3', 'cartovia3', 'parola-veche', 'ion', 'WEB3');
