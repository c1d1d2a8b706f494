-- The two demo companies. Their port is the demo server's own: demo.sh sets it on every start.
insert into m_firma (nume_firma, ip, port, db_name, activ, m_site, pw_hash_type) values
    ('Alfa Demo SRL', '127.0.0.1', 5432, 'zel_demo_alfa', true, false, 'HashSHA2'),
    ('Beta Demo SRL', 'localhost', 5432, 'zel_demo_beta', true, true, null);
