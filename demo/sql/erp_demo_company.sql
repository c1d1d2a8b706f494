-- Makes a freshly seeded demo ERP database one company's (psql variables: company, hashed).
-- A company whose directory row says HashSHA2 keeps its operators' passwords as SHA-256 digests.
update eu set eu = :'company';
update emitent set operator_parola = encode(sha256(convert_to(operator_parola, 'UTF8')), 'hex')
where :'hashed'::boolean;
