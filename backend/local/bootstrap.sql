-- The part of the hosted platform's auth schema that the migrations rely on, so that the very
-- same migration files run here. Every statement may run again on each start.
create extension if not exists pgcrypto;

do $$
begin
  if not exists (select from pg_roles where rolname = 'anon') then
    create role anon nologin noinherit;
  end if;
  if not exists (select from pg_roles where rolname = 'authenticated') then
    create role authenticated nologin noinherit;
  end if;
  -- The server switches to these roles for table requests, so that row-level security decides.
  execute format('grant anon, authenticated to %I', current_user);
end;
$$;

create schema if not exists auth;
grant usage on schema auth to anon, authenticated;
grant usage on schema public to anon, authenticated;

create table if not exists auth.users (
  id uuid primary key default gen_random_uuid(),
  email text not null unique,
  encrypted_password text not null,
  email_confirmed_at timestamptz,
  confirmation_token text unique,
  created_at timestamptz not null default now(),
  updated_at timestamptz not null default now()
);

create table if not exists auth.refresh_tokens (
  token text primary key,
  user_id uuid not null references auth.users (id) on delete cascade,
  session_id uuid not null,
  revoked boolean not null default false,
  parent text,
  created_at timestamptz not null default now()
);
create index if not exists refresh_tokens_user_id on auth.refresh_tokens (user_id);
create index if not exists refresh_tokens_session_id on auth.refresh_tokens (session_id);

create or replace function auth.uid()
returns uuid
language sql
stable
as $$
  -- The setting reads as '' once a transaction that set it locally has ended.
  select nullif(nullif(current_setting('request.jwt.claims', true), '')::jsonb ->> 'sub', '')::uuid
$$;

-- The same bookkeeping table the hosted platform's command-line tool keeps.
create schema if not exists supabase_migrations;
create table if not exists supabase_migrations.schema_migrations (
  version text primary key,
  name text not null
);
