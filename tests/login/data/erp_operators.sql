-- The ERP side of the sign-in tests: two operators, two applications, the company row.
-- Passwords are stored as typed; a test that needs digests updates them.
insert into emitent (emitent, operator_parola, eu_punct_lucru) values
    ('ana', 'Cafea#2026', 'Sediu Bucureşti'),
    ('mihai', 'mihai', 'Depozit Ploieşti');

insert into aplicatie_mob (aplicatie_mob, activ, obs) values
    ('wcartovia', true, null),
    ('zelmobil', true, null);

-- mihai may use another application only.
insert into aplicatie_mob_emitent (aplicatie_mob, emitent, rol) values
    ('wcartovia', 'ana', 'admin'),
    ('zelmobil', 'mihai', 'agent');

insert into eu (eu, jas_ip) values ('Test SRL', 'rapoarte.example.ro:8443');
