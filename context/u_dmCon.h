#pragma once

#include "db/Connection.h"
#include "db/Field.h"
#include "db/Query.h"
#include "grid/Style.h"

#include <QObject>
#include <QString>

using wc::db::FieldKind;

// The data module: the two database connections, the sign-in's queries on the ERP
// database with their expected columns, the login context and the grid's style sheet.
// Other units use its members directly.
class TdmCon : public QObject {
    Q_OBJECT
public:
    explicit TdmCon(QObject* parent = nullptr);

private:
    void buildStyleSheet();

public:

    wc::db::Connection conZel;
    wc::db::Connection conZelMob;

    wc::db::Query dsEmitent{QStringLiteral("dsEmitent")};
    wc::db::Field dsEmitentemitent{dsEmitent, "emitent", FieldKind::ShortText, 100};
    wc::db::Field dsEmitentemitent_corect{dsEmitent, "emitent_corect", FieldKind::ShortText, 100};
    wc::db::Field dsEmitentoperator_parola{dsEmitent, "operator_parola", FieldKind::ShortText, 256};
    wc::db::Field dsEmitentcod_casier_pos{dsEmitent, "cod_casier_pos", FieldKind::ShortText, 10};
    wc::db::Field dsEmitentbanca_eu_default{dsEmitent, "banca_eu_default", FieldKind::ShortText, 100};
    wc::db::Field dsEmitentcont_banca_eu_default{dsEmitent, "cont_banca_eu_default", FieldKind::ShortText, 28};
    wc::db::Field dsEmitentcasa{dsEmitent, "casa", FieldKind::ShortText, 50};
    wc::db::Field dsEmitentmoneda{dsEmitent, "moneda", FieldKind::ShortText, 3};
    wc::db::Field dsEmitentmagazie_sursa_default{dsEmitent, "magazie_sursa_default", FieldKind::ShortText, 5};
    wc::db::Field dsEmitentmagazie_dest_default{dsEmitent, "magazie_dest_default", FieldKind::ShortText, 5};
    wc::db::Field dsEmitentfunctie{dsEmitent, "functie", FieldKind::ShortText, 30};
    wc::db::Field dsEmitenteu_punct_lucru{dsEmitent, "eu_punct_lucru", FieldKind::ShortText, 50};
    wc::db::Field dsEmitentcom_int{dsEmitent, "com_int", FieldKind::ShortText, 25};
    wc::db::Field dsEmitentloc{dsEmitent, "loc", FieldKind::ShortText, 25};
    wc::db::Field dsEmitentnr_obiect{dsEmitent, "nr_obiect", FieldKind::ShortText, 20};
    wc::db::Field dsEmitentci_nume{dsEmitent, "ci_nume", FieldKind::ShortText, 30};
    wc::db::Field dsEmitentci_serie{dsEmitent, "ci_serie", FieldKind::ShortText, 3};
    wc::db::Field dsEmitentci_nr{dsEmitent, "ci_nr", FieldKind::ShortText, 25};
    wc::db::Field dsEmitentci_elib{dsEmitent, "ci_elib", FieldKind::ShortText, 25};
    wc::db::Field dsEmitentcnp{dsEmitent, "cnp", FieldKind::ShortText, 25};
    wc::db::Field dsEmitenttransport_mijloc{dsEmitent, "transport_mijloc", FieldKind::ShortText, 25};
    wc::db::Field dsEmitenttransport_nr{dsEmitent, "transport_nr", FieldKind::ShortText, 25};
    wc::db::Field dsEmitentem_email_adr{dsEmitent, "em_email_adr", FieldKind::ShortText, 50};
    wc::db::Field dsEmitenttel_fix{dsEmitent, "tel_fix", FieldKind::ShortText, 30};
    wc::db::Field dsEmitenttel_mobil{dsEmitent, "tel_mobil", FieldKind::ShortText, 30};
    wc::db::Field dsEmitentem_outgoing_email_server{dsEmitent, "em_outgoing_email_server", FieldKind::ShortText, 50};
    wc::db::Field dsEmitentem_outgoing_email_user{dsEmitent, "em_outgoing_email_user", FieldKind::ShortText, 50};
    wc::db::Field dsEmitentem_outgoing_email_psw{dsEmitent, "em_outgoing_email_psw", FieldKind::ShortText, 50};
    wc::db::Field dsEmitentlang{dsEmitent, "lang", FieldKind::ShortText, 15};
    wc::db::Field dsEmitentrol_web{dsEmitent, "rol_web", FieldKind::ShortText, 25};
    wc::db::Field dsEmitentrol_win{dsEmitent, "rol_win", FieldKind::ShortText, 25};
    wc::db::Field dsEmitentweb_theme{dsEmitent, "web_theme", FieldKind::ShortText, 25};
    wc::db::Field dsEmitenteste_emitent{dsEmitent, "este_emitent", FieldKind::Boolean};
    wc::db::Field dsEmitenteste_operator{dsEmitent, "este_operator", FieldKind::Boolean};
    wc::db::Field dsEmitenteste_comisionar{dsEmitent, "este_comisionar", FieldKind::Boolean};
    wc::db::Field dsEmitenteste_sofer{dsEmitent, "este_sofer", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_schimbare_pl{dsEmitent, "da_nu_schimbare_pl", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_adaugare_partener{dsEmitent, "da_nu_adaugare_partener", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_adaugare_articol{dsEmitent, "da_nu_adaugare_articol", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_acces_la_politica_pret{dsEmitent, "da_nu_acces_la_politica_pret", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_modif_data_listare{dsEmitent, "da_nu_modif_data_listare", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_acces_limita_creditare{dsEmitent, "da_nu_acces_limita_creditare", FieldKind::Boolean};
    wc::db::Field dsEmitentprez_of_stoc_fact_cl{dsEmitent, "prez_of_stoc_fact_cl", FieldKind::Boolean};
    wc::db::Field dsEmitentprez_of_stoc_av_exp{dsEmitent, "prez_of_stoc_av_exp", FieldKind::Boolean};
    wc::db::Field dsEmitentprez_of_stoc_bte{dsEmitent, "prez_of_stoc_bte", FieldKind::Boolean};
    wc::db::Field dsEmitentprez_of_stoc_bc{dsEmitent, "prez_of_stoc_bc", FieldKind::Boolean};
    wc::db::Field dsEmitentpret_fact_cl_cu_tva{dsEmitent, "pret_fact_cl_cu_tva", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_fact_pe_calc{dsEmitent, "da_nu_fact_pe_calc", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_modif_nr_fact_pe_calc{dsEmitent, "da_nu_modif_nr_fact_pe_calc", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_fact_autocopy{dsEmitent, "da_nu_fact_autocopy", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_aviz_autocopy{dsEmitent, "da_nu_aviz_autocopy", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_modif_data_livrare{dsEmitent, "da_nu_modif_data_livrare", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_fact_ci_rosu{dsEmitent, "da_nu_fact_ci_rosu", FieldKind::Boolean};
    wc::db::Field dsEmitentem_outgoing_email_secure{dsEmitent, "em_outgoing_email_secure", FieldKind::Boolean};
    wc::db::Field dsEmitentem_outlook{dsEmitent, "em_outlook", FieldKind::Boolean};
    wc::db::Field dsEmitentdiscontinued{dsEmitent, "discontinued", FieldKind::Boolean};
    wc::db::Field dsEmitentvede_pret_stoc{dsEmitent, "vede_pret_stoc", FieldKind::Boolean};
    wc::db::Field dsEmitentda_nu_generare_op{dsEmitent, "da_nu_generare_op", FieldKind::Boolean};
    wc::db::Field dsEmitentci_data_elib{dsEmitent, "ci_data_elib", FieldKind::Date};
    wc::db::Field dsEmitentdata_ins{dsEmitent, "data_ins", FieldKind::Date};
    wc::db::Field dsEmitentdata_export{dsEmitent, "data_export", FieldKind::DateTime};
    wc::db::Field dsEmitentdata_import{dsEmitent, "data_import", FieldKind::DateTime};
    wc::db::Field dsEmitentnr_zile_prezentare_doc{dsEmitent, "nr_zile_prezentare_doc", FieldKind::Integer};
    wc::db::Field dsEmitentem_outgoing_email_port{dsEmitent, "em_outgoing_email_port", FieldKind::Integer};
    wc::db::Field dsEmitentproc_comisionar{dsEmitent, "proc_comisionar", FieldKind::Float};

    wc::db::Query dsAplicatieMob{QStringLiteral("dsAplicatieMob")};
    wc::db::Field dsAplicatieMobaplicatie_mob{dsAplicatieMob, "aplicatie_mob", FieldKind::ShortText, 100};
    wc::db::Field dsAplicatieMobactiv{dsAplicatieMob, "activ", FieldKind::Boolean};
    wc::db::Field dsAplicatieMobobs{dsAplicatieMob, "obs", FieldKind::LongText};

    wc::db::Query dsEu{QStringLiteral("dsEu")};
    wc::db::Field dsEucod_cci{dsEu, "cod_cci", FieldKind::ShortText, 20};
    wc::db::Field dsEuatribut_fiscal{dsEu, "atribut_fiscal", FieldKind::ShortText, 3};
    wc::db::Field dsEutip_societate{dsEu, "tip_societate", FieldKind::ShortText, 20};
    wc::db::Field dsEureg_comert_jud{dsEu, "reg_comert_jud", FieldKind::ShortText, 5};
    wc::db::Field dsEureg_comert_nr{dsEu, "reg_comert_nr", FieldKind::ShortText, 7};
    wc::db::Field dsEureg_comert_jud_suc{dsEu, "reg_comert_jud_suc", FieldKind::ShortText, 5};
    wc::db::Field dsEureg_comert_nr_suc{dsEu, "reg_comert_nr_suc", FieldKind::ShortText, 7};
    wc::db::Field dsEucnp_a{dsEu, "cnp_a", FieldKind::ShortText, 13};
    wc::db::Field dsEueu{dsEu, "eu", FieldKind::ShortText, 100};
    wc::db::Field dsEueu_sediu{dsEu, "eu_sediu", FieldKind::ShortText, 30};
    wc::db::Field dsEutrezoreria{dsEu, "trezoreria", FieldKind::ShortText, 100};
    wc::db::Field dsEutrezoreria_cont{dsEu, "trezoreria_cont", FieldKind::ShortText, 28};
    wc::db::Field dsEutara{dsEu, "tara", FieldKind::ShortText, 3};
    wc::db::Field dsEulocalit{dsEu, "localit", FieldKind::ShortText, 30};
    wc::db::Field dsEuadresa{dsEu, "adresa", FieldKind::ShortText, 100};
    wc::db::Field dsEutelefon{dsEu, "telefon", FieldKind::ShortText, 50};
    wc::db::Field dsEufax{dsEu, "fax", FieldKind::ShortText, 50};
    wc::db::Field dsEuemail_adr{dsEu, "email_adr", FieldKind::ShortText, 50};
    wc::db::Field dsEuweb_adr{dsEu, "web_adr", FieldKind::ShortText, 50};
    wc::db::Field dsEunr_insp_munca{dsEu, "nr_insp_munca", FieldKind::ShortText, 15};
    wc::db::Field dsEuformula_calcul_co{dsEu, "formula_calcul_co", FieldKind::ShortText, 30};
    wc::db::Field dsEuformula_calcul_avans_q{dsEu, "formula_calcul_avans_q", FieldKind::ShortText, 30};
    wc::db::Field dsEunr_autorizatie_alcool{dsEu, "nr_autorizatie_alcool", FieldKind::ShortText, 30};
    wc::db::Field dsEumetoda_stoc{dsEu, "metoda_stoc", FieldKind::ShortText, 4};
    wc::db::Field dsEutip_contabilitate{dsEu, "tip_contabilitate", FieldKind::ShortText, 20};
    wc::db::Field dsEustrada{dsEu, "strada", FieldKind::ShortText, 50};
    wc::db::Field dsEunr_strada{dsEu, "nr_strada", FieldKind::ShortText, 10};
    wc::db::Field dsEubloc{dsEu, "bloc", FieldKind::ShortText, 10};
    wc::db::Field dsEuscara{dsEu, "scara", FieldKind::ShortText, 5};
    wc::db::Field dsEuetaj{dsEu, "etaj", FieldKind::ShortText, 5};
    wc::db::Field dsEuapt{dsEu, "apt", FieldKind::ShortText, 5};
    wc::db::Field dsEusector{dsEu, "sector", FieldKind::ShortText, 1};
    wc::db::Field dsEucod_postal_adresa{dsEu, "cod_postal_adresa", FieldKind::ShortText, 6};
    wc::db::Field dsEusup_eu_denumire{dsEu, "sup_eu_denumire", FieldKind::ShortText, 100};
    wc::db::Field dsEusup_eu_cui{dsEu, "sup_eu_cui", FieldKind::ShortText, 13};
    wc::db::Field dsEueu_cui{dsEu, "eu_cui", FieldKind::ShortText, 13};
    wc::db::Field dsEueu_cif{dsEu, "eu_cif", FieldKind::ShortText, 13};
    wc::db::Field dsEueu_reprezentant_legal{dsEu, "eu_reprezentant_legal", FieldKind::ShortText, 100};
    wc::db::Field dsEucod_caen{dsEu, "cod_caen", FieldKind::ShortText, 6};
    wc::db::Field dsEutip_administrare_soc{dsEu, "tip_administrare_soc", FieldKind::ShortText, 50};
    wc::db::Field dsEucapital_social{dsEu, "capital_social", FieldKind::ShortText, 100};
    wc::db::Field dsEucasa_asig_sanatate{dsEu, "casa_asig_sanatate", FieldKind::ShortText, 2};
    wc::db::Field dsEunr_licenta_turism{dsEu, "nr_licenta_turism", FieldKind::ShortText, 20};
    wc::db::Field dsEumod_plata_tva{dsEu, "mod_plata_tva", FieldKind::ShortText, 20};
    wc::db::Field dsEugln{dsEu, "gln", FieldKind::ShortText, 13};
    wc::db::Field dsEureges_cod_tip_angajator{dsEu, "reges_cod_tip_angajator", FieldKind::ShortText, 20};
    wc::db::Field dsEureges_cod_forma_organizare{dsEu, "reges_cod_forma_organizare", FieldKind::ShortText, 70};
    wc::db::Field dsEureges_cod_forma_juridica{dsEu, "reges_cod_forma_juridica", FieldKind::ShortText, 48};
    wc::db::Field dsEureges_cod_tip_societate{dsEu, "reges_cod_tip_societate", FieldKind::ShortText, 30};
    wc::db::Field dsEureges_cod_forma_proprietate{dsEu, "reges_cod_forma_proprietate", FieldKind::ShortText, 8};
    wc::db::Field dsEureges_cod_act_id_pf{dsEu, "reges_cod_act_id_pf", FieldKind::ShortText, 25};
    wc::db::Field dsEuda_nu_modif_ore_prez{dsEu, "da_nu_modif_ore_prez", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_dimin_avans_cu_ret{dsEu, "da_nu_dimin_avans_cu_ret", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_scadere_stoc_in_viitor{dsEu, "da_nu_scadere_stoc_in_viitor", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_impozit_profit{dsEu, "da_nu_impozit_profit", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_nevoi_firma{dsEu, "da_nu_nevoi_firma", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_platitor_tva_in_vama{dsEu, "da_nu_platitor_tva_in_vama", FieldKind::Boolean};
    wc::db::Field dsEuprez_of_stoc_fact_cl{dsEu, "prez_of_stoc_fact_cl", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_postcalcul{dsEu, "da_nu_postcalcul", FieldKind::Boolean};
    wc::db::Field dsEuprez_of_stoc_av_exp{dsEu, "prez_of_stoc_av_exp", FieldKind::Boolean};
    wc::db::Field dsEuprez_of_stoc_bte{dsEu, "prez_of_stoc_bte", FieldKind::Boolean};
    wc::db::Field dsEuprez_of_stoc_bc{dsEu, "prez_of_stoc_bc", FieldKind::Boolean};
    wc::db::Field dsEupret_fact_cl_cu_tva{dsEu, "pret_fact_cl_cu_tva", FieldKind::Boolean};
    wc::db::Field dsEupret_nir_cu_tva{dsEu, "pret_nir_cu_tva", FieldKind::Boolean};
    wc::db::Field dsEupret_cmd_client_cu_tva{dsEu, "pret_cmd_client_cu_tva", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_tva_neexigibil{dsEu, "da_nu_tva_neexigibil", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_list_fact_pr_ctl{dsEu, "da_nu_list_fact_pr_ctl", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_list_fact_neop_stoc{dsEu, "da_nu_list_fact_neop_stoc", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_bon_pe_calc{dsEu, "da_nu_bon_pe_calc", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_cmd_pe_extrasb{dsEu, "da_nu_cmd_pe_extrasb", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_fact_pe_calc{dsEu, "da_nu_fact_pe_calc", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_fact_autocopy{dsEu, "da_nu_fact_autocopy", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_aviz_autocopy{dsEu, "da_nu_aviz_autocopy", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_nir_in_mag_dest{dsEu, "da_nu_nir_in_mag_dest", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_politica_pret_punct_lucru{dsEu, "da_nu_politica_pret_punct_lucru", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_nota_c_fara_restrictie{dsEu, "da_nu_nota_c_fara_restrictie", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_mon_cont_tip_doc{dsEu, "da_nu_mon_cont_tip_doc", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_balanta_pe_obiective{dsEu, "da_nu_balanta_pe_obiective", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_rezervare_stoc{dsEu, "da_nu_rezervare_stoc", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_contare_avz_c{dsEu, "da_nu_contare_avz_c", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_contare_nirad{dsEu, "da_nu_contare_nirad", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_autoinchidere_cmd_client{dsEu, "da_nu_autoinchidere_cmd_client", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_autoinchidere_cmd_furn{dsEu, "da_nu_autoinchidere_cmd_furn", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_institutie_publica{dsEu, "da_nu_institutie_publica", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_balanta_pe_subunitati{dsEu, "da_nu_balanta_pe_subunitati", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_b_casa_stoc{dsEu, "da_nu_b_casa_stoc", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_b_casa_articol{dsEu, "da_nu_b_casa_articol", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_salarii_in_postcalcul{dsEu, "da_nu_salarii_in_postcalcul", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_turism_in_comision{dsEu, "da_nu_turism_in_comision", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_confirmare_comanda{dsEu, "da_nu_confirmare_comanda", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_micro_intreprindere{dsEu, "da_nu_micro_intreprindere", FieldKind::Boolean};
    wc::db::Field dsEuda_nu_tva_nededus_cont_separat{dsEu, "da_nu_tva_nededus_cont_separat", FieldKind::Boolean};
    wc::db::Field dsEureg_comert_data{dsEu, "reg_comert_data", FieldKind::Date};
    wc::db::Field dsEureg_comert_data_suc{dsEu, "reg_comert_data_suc", FieldKind::Date};
    wc::db::Field dsEudata_incep_activitate{dsEu, "data_incep_activitate", FieldKind::Date};
    wc::db::Field dsEudata_gen_fact{dsEu, "data_gen_fact", FieldKind::Date};
    wc::db::Field dsEudata_denominare{dsEu, "data_denominare", FieldKind::Date};
    wc::db::Field dsEudata_avans{dsEu, "data_avans", FieldKind::Date};
    wc::db::Field dsEudata_lichidare{dsEu, "data_lichidare", FieldKind::Date};
    wc::db::Field dsEuformula_calcul_penalitati{dsEu, "formula_calcul_penalitati", FieldKind::Integer};
    wc::db::Field dsEurotunjire_avans{dsEu, "rotunjire_avans", FieldKind::Integer};
    wc::db::Field dsEurotunjire_lichidare{dsEu, "rotunjire_lichidare", FieldKind::Integer};
    wc::db::Field dsEunr_pers_hand_suta_ang{dsEu, "nr_pers_hand_suta_ang", FieldKind::Float};
    wc::db::Field dsEuproc_avans_co{dsEu, "proc_avans_co", FieldKind::Float};
    wc::db::Field dsEuproc_avans{dsEu, "proc_avans", FieldKind::Float};
    wc::db::Field dsEuproc_diminuare_bugetari{dsEu, "proc_diminuare_bugetari", FieldKind::Float};
    wc::db::Field dsEuproc_impozit_profit{dsEu, "proc_impozit_profit", FieldKind::Float};
    wc::db::Field dsEuproc_deductibilitate{dsEu, "proc_deductibilitate", FieldKind::Float};
    wc::db::Field dsEunorma{dsEu, "norma", FieldKind::Float};
    wc::db::Field dsEuval_limita_casa_lei{dsEu, "val_limita_casa_lei", FieldKind::Float};
    wc::db::Field dsEuproc_penaliz_intirziere{dsEu, "proc_penaliz_intirziere", FieldKind::Float};
    wc::db::Field dsEucod_forma_proprietate{dsEu, "cod_forma_proprietate", FieldKind::Float};
    wc::db::Field dsEucod_forma_organizare{dsEu, "cod_forma_organizare", FieldKind::Float};
    wc::db::Field dsEucod_tip_societate{dsEu, "cod_tip_societate", FieldKind::Float};
    wc::db::Field dsEucod_siruta{dsEu, "cod_siruta", FieldKind::Float};
    wc::db::Field dsEujas_ip{dsEu, "jas_ip", FieldKind::LongText};
    wc::db::Field dsEujas_ip_ext{dsEu, "jas_ip_ext", FieldKind::LongText};

    // The order log grid's styles, made for 96 dots per inch, and the sheet built from them.
    struct TcxStyleRepository {
        wc::grid::Style cxStyle1, cxStyle2, cxStyle3, cxStyle4, cxStyle5, cxStyle6, cxStyle7, cxStyle8, cxStyle9,
            cxStyle10, cxStyle11, cxStyle12, cxStyle13, cxStyle14;
    } cxStyleRepository1;
    wc::grid::TableViewStyleSheet GridTableViewStyleSheetDevExpress;

    wc::db::Query dsAplicatieMobEmitent{QStringLiteral("dsAplicatieMobEmitent")};
    wc::db::Field dsAplicatieMobEmitentaplicatie_mob{dsAplicatieMobEmitent, "aplicatie_mob", FieldKind::ShortText, 100};
    wc::db::Field dsAplicatieMobEmitentemitent{dsAplicatieMobEmitent, "emitent", FieldKind::ShortText, 100};
    wc::db::Field dsAplicatieMobEmitentrol{dsAplicatieMobEmitent, "rol", FieldKind::LongText};

    // The login context, filled by the sign-in.
    QString glNumeFirma;
    QString glUser;
    QString glUserPass;
    QString glDataBase;
    QString glUserRol;
    QString glEuPL;
    QString glJasIP;
    QString glJasProtocol;
};

extern TdmCon* dmCon;
