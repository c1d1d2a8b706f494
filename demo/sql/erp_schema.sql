-- ERP database: the relations that wCartovia reads and writes, with every column its
-- queries bind, plus the small document model behind the order import.
-- Column types follow the kinds the program checks: varchar(n) for short text, text for
-- long text, integer (never bigint) for integer, double precision for floating point.

-- Operators of the company.
create table emitent (
    emitent                      varchar(100) primary key,
    emitent_corect               varchar(100),
    operator_parola              varchar(256),
    cod_casier_pos               varchar(10),
    banca_eu_default             varchar(100),
    cont_banca_eu_default        varchar(28),
    casa                         varchar(50),
    moneda                       varchar(3),
    magazie_sursa_default        varchar(5),
    magazie_dest_default         varchar(5),
    functie                      varchar(30),
    eu_punct_lucru               varchar(50),
    com_int                      varchar(25),
    loc                          varchar(25),
    nr_obiect                    varchar(20),
    ci_nume                      varchar(30),
    ci_serie                     varchar(3),
    ci_nr                        varchar(25),
    ci_elib                      varchar(25),
    cnp                          varchar(25),
    transport_mijloc             varchar(25),
    transport_nr                 varchar(25),
    em_email_adr                 varchar(50),
    tel_fix                      varchar(30),
    tel_mobil                    varchar(30),
    em_outgoing_email_server     varchar(50),
    em_outgoing_email_user       varchar(50),
    em_outgoing_email_psw        varchar(50),
    lang                         varchar(15),
    rol_web                      varchar(25),
    rol_win                      varchar(25),
    web_theme                    varchar(25),
    este_emitent                 boolean,
    este_operator                boolean,
    este_comisionar              boolean,
    este_sofer                   boolean,
    da_nu_schimbare_pl           boolean,
    da_nu_adaugare_partener      boolean,
    da_nu_adaugare_articol       boolean,
    da_nu_acces_la_politica_pret boolean,
    da_nu_modif_data_listare     boolean,
    da_nu_acces_limita_creditare boolean,
    prez_of_stoc_fact_cl         boolean,
    prez_of_stoc_av_exp          boolean,
    prez_of_stoc_bte             boolean,
    prez_of_stoc_bc              boolean,
    pret_fact_cl_cu_tva          boolean,
    da_nu_fact_pe_calc           boolean,
    da_nu_modif_nr_fact_pe_calc  boolean,
    da_nu_fact_autocopy          boolean,
    da_nu_aviz_autocopy          boolean,
    da_nu_modif_data_livrare     boolean,
    da_nu_fact_ci_rosu           boolean,
    em_outgoing_email_secure     boolean,
    em_outlook                   boolean,
    discontinued                 boolean,
    vede_pret_stoc               boolean,
    da_nu_generare_op            boolean,
    ci_data_elib                 date,
    data_ins                     date,
    data_export                  timestamp,
    data_import                  timestamp,
    nr_zile_prezentare_doc       integer,
    em_outgoing_email_port       integer,
    proc_comisionar              double precision
);

-- Applications enabled for this company.
create table aplicatie_mob (
    aplicatie_mob varchar(100) primary key,
    activ         boolean,
    obs           text
);

-- Which operator may use which application, and in which role.
create table aplicatie_mob_emitent (
    aplicatie_mob varchar(100) not null references aplicatie_mob,
    emitent       varchar(100) not null references emitent,
    rol           text,
    primary key (aplicatie_mob, emitent)
);

-- The company's own data: one row.
create table eu (
    cod_cci                          varchar(20),
    atribut_fiscal                   varchar(3),
    tip_societate                    varchar(20),
    reg_comert_jud                   varchar(5),
    reg_comert_nr                    varchar(7),
    reg_comert_jud_suc               varchar(5),
    reg_comert_nr_suc                varchar(7),
    cnp_a                            varchar(13),
    eu                               varchar(100),
    eu_sediu                         varchar(30),
    trezoreria                       varchar(100),
    trezoreria_cont                  varchar(28),
    tara                             varchar(3),
    localit                          varchar(30),
    adresa                           varchar(100),
    telefon                          varchar(50),
    fax                              varchar(50),
    email_adr                        varchar(50),
    web_adr                          varchar(50),
    nr_insp_munca                    varchar(15),
    formula_calcul_co                varchar(30),
    formula_calcul_avans_q           varchar(30),
    nr_autorizatie_alcool            varchar(30),
    metoda_stoc                      varchar(4),
    tip_contabilitate                varchar(20),
    strada                           varchar(50),
    nr_strada                        varchar(10),
    bloc                             varchar(10),
    scara                            varchar(5),
    etaj                             varchar(5),
    apt                              varchar(5),
    sector                           varchar(1),
    cod_postal_adresa                varchar(6),
    sup_eu_denumire                  varchar(100),
    sup_eu_cui                       varchar(13),
    eu_cui                           varchar(13),
    eu_cif                           varchar(13),
    eu_reprezentant_legal            varchar(100),
    cod_caen                         varchar(6),
    tip_administrare_soc             varchar(50),
    capital_social                   varchar(100),
    casa_asig_sanatate               varchar(2),
    nr_licenta_turism                varchar(20),
    mod_plata_tva                    varchar(20),
    gln                              varchar(13),
    reges_cod_tip_angajator          varchar(20),
    reges_cod_forma_organizare       varchar(70),
    reges_cod_forma_juridica         varchar(48),
    reges_cod_tip_societate          varchar(30),
    reges_cod_forma_proprietate      varchar(8),
    reges_cod_act_id_pf              varchar(25),
    da_nu_modif_ore_prez             boolean,
    da_nu_dimin_avans_cu_ret         boolean,
    da_nu_scadere_stoc_in_viitor     boolean,
    da_nu_impozit_profit             boolean,
    da_nu_nevoi_firma                boolean,
    da_nu_platitor_tva_in_vama       boolean,
    prez_of_stoc_fact_cl             boolean,
    da_nu_postcalcul                 boolean,
    prez_of_stoc_av_exp              boolean,
    prez_of_stoc_bte                 boolean,
    prez_of_stoc_bc                  boolean,
    pret_fact_cl_cu_tva              boolean,
    pret_nir_cu_tva                  boolean,
    pret_cmd_client_cu_tva           boolean,
    da_nu_tva_neexigibil             boolean,
    da_nu_list_fact_pr_ctl           boolean,
    da_nu_list_fact_neop_stoc        boolean,
    da_nu_bon_pe_calc                boolean,
    da_nu_cmd_pe_extrasb             boolean,
    da_nu_fact_pe_calc               boolean,
    da_nu_fact_autocopy              boolean,
    da_nu_aviz_autocopy              boolean,
    da_nu_nir_in_mag_dest            boolean,
    da_nu_politica_pret_punct_lucru  boolean,
    da_nu_nota_c_fara_restrictie     boolean,
    da_nu_mon_cont_tip_doc           boolean,
    da_nu_balanta_pe_obiective       boolean,
    da_nu_rezervare_stoc             boolean,
    da_nu_contare_avz_c              boolean,
    da_nu_contare_nirad              boolean,
    da_nu_autoinchidere_cmd_client   boolean,
    da_nu_autoinchidere_cmd_furn     boolean,
    da_nu_institutie_publica         boolean,
    da_nu_balanta_pe_subunitati      boolean,
    da_nu_b_casa_stoc                boolean,
    da_nu_b_casa_articol             boolean,
    da_nu_salarii_in_postcalcul      boolean,
    da_nu_turism_in_comision         boolean,
    da_nu_confirmare_comanda         boolean,
    da_nu_micro_intreprindere        boolean,
    da_nu_tva_nededus_cont_separat   boolean,
    reg_comert_data                  date,
    reg_comert_data_suc              date,
    data_incep_activitate            date,
    data_gen_fact                    date,
    data_denominare                  date,
    data_avans                       date,
    data_lichidare                   date,
    formula_calcul_penalitati        integer,
    rotunjire_avans                  integer,
    rotunjire_lichidare              integer,
    nr_pers_hand_suta_ang            double precision,
    proc_avans_co                    double precision,
    proc_avans                       double precision,
    proc_diminuare_bugetari          double precision,
    proc_impozit_profit              double precision,
    proc_deductibilitate             double precision,
    norma                            double precision,
    val_limita_casa_lei              double precision,
    proc_penaliz_intirziere          double precision,
    cod_forma_proprietate            double precision,
    cod_forma_organizare             double precision,
    cod_tip_societate                double precision,
    cod_siruta                       double precision,
    jas_ip                           text,
    jas_ip_ext                       text
);

-- One row per online shop whose orders are pulled into this database.
create table config_cartovia (
    nume_site       varchar(100) primary key,
    base_url        text,
    user_name       text,
    pass            text,
    zel_emitent     text,
    zel_serie_cmd_c varchar(7)
);

-- Customers.
create table partener (
    id_partener bigserial primary key,
    partener    varchar(100) not null,
    email       varchar(100),
    telefon     varchar(30),
    adresa      text,
    localitate  varchar(50),
    judet       varchar(50),
    cod_postal  varchar(10),
    data_ins    timestamp not null default now()
);
create index partener_email_idx on partener (lower(email));

-- Products; the shop's sku is the product code.
create table articol (
    id_articol  bigserial primary key,
    cod_articol varchar(50) not null unique,
    articol     varchar(200) not null,
    um          varchar(10) not null default 'buc',
    pret        double precision
);

-- Last number given per document type and series.
create table serie_doc (
    zel_tip_doc varchar(7) not null,
    zel_serie   varchar(7) not null,
    ultim_nr    integer not null,
    primary key (zel_tip_doc, zel_serie)
);

-- Customer orders (document type CMDC) and their lines.
create table doc_cmd_c (
    id_doc_cmd_c    bigserial primary key,
    zel_tip_doc     varchar(7) not null default 'CMDC',
    zel_serie_cmd_c varchar(7) not null,
    zel_nr_doc      varchar(15) not null,
    zel_data_doc    date not null,
    id_partener     bigint not null references partener,
    zel_emitent     text,
    valoare         double precision not null default 0,
    obs             text,
    unique (zel_tip_doc, zel_serie_cmd_c, zel_nr_doc)
);

create table doc_cmd_c_linie (
    id_doc_cmd_c bigint not null references doc_cmd_c on delete cascade,
    nr_linie     integer not null,
    id_articol   bigint not null references articol,
    cantitate    double precision not null,
    pret         double precision not null,
    valoare      double precision not null,
    primary key (id_doc_cmd_c, nr_linie)
);

-- Order log: one row per shop order, linked to the customer order made from it.
create table log_cartovia (
    nume_site     varchar(100) not null,
    id_doc_site   bigint not null,
    nr_doc_site   text,
    date_created  date,
    cmd_c_json    text,
    err_la_import text,
    data_log      timestamp not null default now(),
    id_doc_cmd_c  bigint unique references doc_cmd_c on delete set null,
    primary key (nume_site, id_doc_site)
);

-- The order log as the import window shows it. A join, so it is read-only.
create view view_log_cartovia as
select l.nume_site,
       l.id_doc_site,
       l.err_la_import,
       l.data_log,
       l.date_created,
       d.zel_serie_cmd_c,
       l.nr_doc_site,
       d.zel_data_doc,
       d.zel_tip_doc,
       d.zel_nr_doc,
       p.partener as zel_partener
from log_cartovia l
left join doc_cmd_c d on d.id_doc_cmd_c = l.id_doc_cmd_c
left join partener p on p.id_partener = d.id_partener;
